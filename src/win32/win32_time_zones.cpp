#include <windows.h>

#include "win32/win32_time_zones.h"

namespace almanix {

namespace {

// The layout of a zone's "TZI" value.
struct RegistryZoneInformation {
    LONG bias;
    LONG standardBias;
    LONG daylightBias;
    SYSTEMTIME standardDate;
    SYSTEMTIME daylightDate;
};

ZoneChangeDay changeDayOf(const SYSTEMTIME& date) {
    return {date.wMonth, date.wDay, date.wDayOfWeek + 1, date.wHour * 3600 + date.wMinute * 60 + date.wSecond};
}

ZoneRule ruleOf(LONG bias, LONG standardBias, LONG daylightBias, const SYSTEMTIME& standardDate,
                const SYSTEMTIME& daylightDate) {
    ZoneRule rule{-(bias + standardBias) * 60, std::nullopt};
    // A change given as a date of one year (wYear set) is not a rule of every year.
    if (daylightDate.wMonth != 0 && standardDate.wMonth != 0 && daylightDate.wYear == 0)
        rule.daylight =
            DaylightSaving{-(bias + daylightBias) * 60, changeDayOf(daylightDate), changeDayOf(standardDate)};
    return rule;
}

constexpr std::int64_t kUnixEpochIn100Nanoseconds = 116444736000000000;

} // namespace

std::optional<ZoneRule> registryZoneRule(std::string_view windowsName) {
    const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + std::string(windowsName);
    RegistryZoneInformation information{};
    DWORD size = sizeof information;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "TZI", RRF_RT_REG_BINARY, nullptr, &information, &size) !=
            ERROR_SUCCESS ||
        size != sizeof information)
        return std::nullopt;
    return ruleOf(information.bias, information.standardBias, information.daylightBias, information.standardDate,
                  information.daylightDate);
}

std::optional<int> Win32TimeZones::offsetAt(std::string_view ianaName, std::int64_t utcSeconds) {
    auto found = rules_.find(ianaName);
    if (found == rules_.end()) {
        std::optional<ZoneRule> rule;
        if (const std::optional<std::string_view> windowsName = windowsNameOfZone(ianaName))
            rule = registryZoneRule(*windowsName);
        if (!rule) rule = knownZoneRule(ianaName);
        found = rules_.emplace(std::string(ianaName), rule).first;
    }
    if (!found->second) return std::nullopt;
    return offsetUnderRule(*found->second, utcSeconds);
}

int Win32TimeZones::localOffsetAt(std::int64_t utcSeconds) {
    const auto ticks = static_cast<ULONGLONG>(utcSeconds * 10000000 + kUnixEpochIn100Nanoseconds);
    const FILETIME utcTime{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FILETIME localTime{};
    if (utcSeconds < -11644473600 || !FileTimeToSystemTime(&utcTime, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) || !SystemTimeToFileTime(&local, &localTime)) {
        TIME_ZONE_INFORMATION zone{};
        GetTimeZoneInformation(&zone);
        return -static_cast<int>(zone.Bias) * 60;
    }
    const auto localTicks = (static_cast<std::int64_t>(localTime.dwHighDateTime) << 32) | localTime.dwLowDateTime;
    return static_cast<int>((localTicks - static_cast<std::int64_t>(ticks)) / 10000000);
}

LocalDateTime Win32Clock::now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {{local.wYear, local.wMonth, local.wDay}, local.wHour, local.wMinute, local.wSecond};
}

} // namespace almanix
