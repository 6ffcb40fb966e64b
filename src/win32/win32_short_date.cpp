#include "win32/win32_short_date.h"

#include <windows.h>
#include <oleauto.h>
#include <string>

namespace almanix {

Win32ShortDate::Win32ShortDate() {
    char picture[80] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, sizeof picture);
    if (std::string_view(picture).find(' ') != std::string_view::npos)
        withoutBlanks_ = DatePattern::fromWindowsPicture(picture);
}

std::string Win32ShortDate::format(const CalendarDate& date) {
    if (withoutBlanks_) return withoutBlanks_->format(date);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    time.wDayOfWeek = static_cast<WORD>(weekdayOf(date) - 1);
    char text[128] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text) == 0) return {};
    return text;
}

std::optional<CalendarDate> Win32ShortDate::parse(std::string_view text) {
    if (withoutBlanks_) {
        if (auto date = withoutBlanks_->parse(text)) return date;
    }
    return parseAsLocale(text);
}

std::optional<CalendarDate> Win32ShortDate::parseAsLocale(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const std::string ansi(text);
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), length);

    DATE value = 0;
    SYSTEMTIME time{};
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &value)) || !VariantTimeToSystemTime(value, &time))
        return std::nullopt;
    return CalendarDate{time.wYear, time.wMonth, time.wDay};
}

} // namespace almanix
