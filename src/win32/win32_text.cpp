#include "win32/win32_text.h"

#include <windows.h>

namespace almanix {

namespace {

// The wide text of bytes in that code page; nothing when they are not valid in it.
bool widen(UINT codePage, DWORD flags, std::string_view text, std::wstring& wide) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return false;
    wide.assign(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return true;
}

} // namespace

std::wstring wideOf(const std::string& text) {
    std::wstring wide;
    widen(CP_UTF8, MB_ERR_INVALID_CHARS, text, wide);
    return wide;
}

std::string utf8Of(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

std::wstring shownTextOf(std::string_view text) {
    std::wstring wide;
    if (!widen(CP_UTF8, MB_ERR_INVALID_CHARS, text, wide)) widen(CP_ACP, 0, text, wide);
    return wide;
}

} // namespace almanix
