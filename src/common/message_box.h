#pragma once

#include <string>

namespace almanix {

inline constexpr const char* kApplicationTitle = "SCRNSAVE :Almanix";

// A message box with one OK button and no icon; returns when the user dismissed it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& text, const std::string& title) = 0;
};

} // namespace almanix
