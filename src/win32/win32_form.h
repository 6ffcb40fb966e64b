#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "setup/form_layout.h"
#include "win32/win32_bound_function.h"
#include "win32/win32_window.h"

namespace almanix {

// A window's or control's text, in the system code page.
std::string windowTextOf(HWND window);

// True for a push button, whether it looks like the default or not.
bool isPushButton(HWND control);

// A window whose controls are built from its layout table, in pixels at the
// resolution of the monitor it is on. The controls are created in tab order,
// so that the Tab key visits them as the table says. Moved to a monitor of
// another resolution, it lays itself out again from the table.
class Win32Form : public Win32Window {
public:
    ~Win32Form() override;

    // The control of that name, or null.
    HWND control(std::string_view name) const;
    // The name of a control of this window; empty for anything else.
    std::string_view nameOf(HWND control) const;
    // The first control in tab order, which has the focus when the window opens.
    HWND firstFocus() const;
    // The button Enter presses when the focus is on no other button; null for none.
    HWND defaultButton() const;

    // The screen and this window with its frame in twips, and its placement.
    TwipSize screenTwips() const;
    TwipSize windowTwips() const;
    void moveTo(TwipPoint position);

    // Resizes a control to its text in its font, keeping its top-left corner.
    void fitToText(HWND control);

protected:
    explicit Win32Form(const WindowLayout& table);

    // Creates the window, hidden, with the table's title and client size, then its controls.
    bool createForm(DWORD style, HWND owner, HMENU menu = nullptr);

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window and all its controls exist.
    virtual void onControlsCreated() {}
    virtual void onCommand(std::string_view /*control*/, UINT /*notification*/) {}
    virtual void onMenu(UINT /*id*/) {}
    virtual LRESULT onNotify(std::string_view /*control*/, const NMHDR& /*header*/) { return 0; }
    virtual void onHScroll(std::string_view /*control*/) {}
    virtual void onClose() { DestroyWindow(handle()); }

private:
    using FontKey = std::tuple<std::string, double, bool, bool>;

    HWND createControl(const ControlLayout& entry);
    // Where the table puts the control, in pixels of the client area.
    RECT tablePlaceOf(const ControlLayout& entry) const;
    // Places the control as the table says, then lets a caption that would be cut grow.
    void placeControl(const ControlLayout& entry, HWND control);
    // What the control's text takes in its font, with a check box's box.
    SIZE textSizeOf(HWND control);
    void takeDotsPerInchFromWindow();
    // Resizes the window, keeping its frame, so that its client area is the table's.
    void sizeClientToTable();
    // The window was moved to a monitor of another resolution: it is laid out again there.
    void onDpiChanged(WPARAM dotsPerInch, const RECT& suggested);
    int systemMetric(int index, double dotsPerInch);
    const FontChoice& fontChoiceOf(const ControlLayout& entry) const;
    HFONT fontOf(const FontChoice& choice);
    HBRUSH brushOf(COLORREF colour);
    COLORREF backgroundColour() const;
    void onCommandMessage(WPARAM wParam, LPARAM lParam);
    HBRUSH onControlColour(HDC context, HWND control);
    BOOL onEraseBackground(HDC context);
    bool onActivate(bool active);
    void releaseGdiObjects();
    int pixelsAcross(double twips) const { return pixelsOfTwips(twips, dotsPerInchX_); }
    int pixelsDown(double twips) const { return pixelsOfTwips(twips, dotsPerInchY_); }

    const WindowLayout& table_;
    double dotsPerInchX_ = 96;
    double dotsPerInchY_ = 96;
    std::vector<HWND> controls_; // in the table's order
    std::map<FontKey, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    HWND focusBeforeDeactivation_ = nullptr;
    // Only where each monitor has its own resolution (Windows 10 on).
    BoundFunction<UINT(WINAPI*)(HWND)> dpiForWindow_{"user32.dll", "GetDpiForWindow"};
    BoundFunction<int(WINAPI*)(int, UINT)> systemMetricForDpi_{"user32.dll", "GetSystemMetricsForDpi"};
};

} // namespace almanix
