#pragma once

#include <cstdint>
#include <string>

namespace almanix {

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Written once at start-up, read by the saver window and the platform services.
extern std::int32_t gRunMode;       // 0 none, 1 full screen, 3 password change, 4 preview
extern std::string gWinVersion;     // "95", "NT" or "Unknown"; set only in full screen
extern std::int16_t gUsePassword;   // 1 when the screen-saver password is on
extern std::int32_t gParentWindow;  // the window handle of the command line
extern WindowRect gParentRect;      // the client rectangle of gParentWindow

inline constexpr std::int32_t kRunModeNone = 0;
inline constexpr std::int32_t kRunModeFullScreen = 1;
inline constexpr std::int32_t kRunModePasswordChange = 3;
inline constexpr std::int32_t kRunModePreview = 4;

// Back to the state of a fresh process.
void resetStartupState();

} // namespace almanix
