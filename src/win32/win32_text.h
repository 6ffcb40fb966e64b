#pragma once

#include <string>
#include <string_view>

namespace almanix {

// UTF-8 text and the system's wide names, both ways; empty for text that is not valid.
std::wstring wideOf(const std::string& text);
std::string utf8Of(const std::wstring& text);

// Text as the user wrote it, for showing: UTF-8 where it is valid UTF-8 (as a
// UTF-16 event file is read), else the system code page (as an 8-bit one is).
std::wstring shownTextOf(std::string_view text);

} // namespace almanix
