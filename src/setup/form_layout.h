#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace almanix {

// The windows of the setup side are described as data: every control with its
// place and size in twips, so that both shells build the same windows and each
// converts with its display's own resolution.

inline constexpr double kTwipsPerInch = 1440;

enum class ControlKind { label, textBox, frame, checkBox, listBox, button, calendar, slider };

struct FontChoice {
    std::string_view face{};
    double points = 0;
    bool bold = false;
    bool italic = false;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A colour of the control's own choosing, a fixed one, or one of the system's.
enum class ColourRole { standard, fixed, scrollBar, windowText };

struct ColourChoice {
    ColourRole role = ColourRole::standard;
    Colour fixed{};
};

inline constexpr ColourChoice kLightGrey{ColourRole::fixed, {192, 192, 192}};

enum class TextAlignment { left, centre };

// What only some kinds of control carry.
struct ControlStyle {
    bool autoSize = false; // a label that sizes itself to its text
    bool wordWrap = false;
    TextAlignment alignment = TextAlignment::left;
    int maxLength = 0; // a text box's limit in characters; 0 for none
    int pageStep = 0; // how far a slider moves for a click beside its thumb, or Page Up and Down
    bool defaultButton = false; // the button Enter presses unless the focus is on another button
    ColourChoice foreground{};
    ColourChoice background{};
    std::optional<FontChoice> headerFont{}; // the calendar's day names
};

inline constexpr int kNoTabStop = -1;

// One control of a window. Its name is its role ("addButton", "daysBeforeBox"):
// presenters, both shells and the tests reach it by that name.
struct ControlLayout {
    std::string_view name{};
    ControlKind kind = ControlKind::label;
    std::string_view caption{}; // caption or initial text
    int x = 0, y = 0; // the top-left corner in twips; inside a frame, relative to the frame
    int width = 0, height = 0; // twips
    int tabIndex = kNoTabStop;
    std::optional<FontChoice> font{}; // nothing: the window's default font
    ControlStyle style{};
    std::string_view container{}; // the frame that holds it; empty for the window
};

struct MenuItem {
    std::string_view name;
    std::string_view caption; // "&" marks the access key
};

// The program's main window stays until it is closed through its frame, and
// the program ends with it; a dialog is shown modally over the window that opens it.
enum class WindowKind { mainWindow, dialog };

struct WindowLayout {
    std::string_view name{};
    WindowKind kind = WindowKind::dialog;
    std::string_view title{};
    int clientWidth = 0, clientHeight = 0; // twips
    FontChoice defaultFont{};
    ColourChoice background{};
    std::span<const ControlLayout> controls{};
    std::span<const MenuItem> menu{};

    // The control of that name, or null.
    const ControlLayout* control(std::string_view controlName) const;
    // The button Enter presses, or null for none.
    const ControlLayout* defaultButton() const;
};

// What a click on a control or a menu item does: its name in the layout and
// the presenter's handler. Each dialog keeps one table of these, which both
// shells follow.
template <typename Presenter>
struct ControlAction {
    std::string_view control;
    void (Presenter::*handler)();
};

// Runs the handler of the named control; false when it has none.
template <typename Presenter>
bool runAction(std::span<const ControlAction<Presenter>> actions, Presenter& presenter, std::string_view control) {
    for (const ControlAction<Presenter>& action : actions) {
        if (action.control != control) continue;
        (presenter.*action.handler)();
        return true;
    }
    return false;
}

// Controls that take the focus, in the order the Tab key visits them.
std::vector<const ControlLayout*> tabOrderOf(const WindowLayout& window);

bool takesFocus(ControlKind kind);

// Twips to whole pixels at a display's resolution, halves to even.
int pixelsOfTwips(double twips, double dotsPerInch);
double twipsOfPixels(double pixels, double dotsPerInch);

struct TwipPoint {
    double left = 0;
    double top = 0;
};

struct TwipSize {
    double width = 0;
    double height = 0;
};

// The position that centres a window of that outer size on the screen.
TwipPoint centredPosition(TwipSize screen, TwipSize window);

} // namespace almanix
