#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "setup/events_dialog.h"
#include "setup/speed_dialog.h"
#include "win32/win32_form_view.h"

namespace almanix {
namespace {

// Moved to a monitor of another resolution, a window takes the suggested place with the table's
// client area there, and each control its table place and font, grown to a caption that would not fit.
TEST(Win32Form, AMonitorOfAnotherResolutionLaysTheWindowOutAgain) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    Win32FormView events(eventsDialogLayout());
    Win32FormView speed(speedDialogLayout());
    ASSERT_TRUE(InitCommonControlsEx(&classes) && events.create(nullptr) && speed.create(nullptr));
    struct Case {
        Win32Form& form;
        const WindowLayout& table;
        std::string_view name;
        UINT dotsPerInch;
    };
    const Case cases[] = {
        {events, eventsDialogLayout(), "iterationButtonsBox", 144}, // inside a frame
        {events, eventsDialogLayout(), "eventList", 192},
        // Its caption, in the stand-in font, runs wider than the table says.
        {events, eventsDialogLayout(), "daysBeforeLabel", 96},
        {speed, speedDialogLayout(), "okButton", 192},
    };
    for (const auto& [form, table, name, dotsPerInch] : cases) {
        SCOPED_TRACE(std::string(name) + " at " + std::to_string(dotsPerInch));
        const auto pixels = [&](double twips) { return pixelsOfTwips(twips, dotsPerInch); };
        const HWND control = form.control(name);
        const auto fontOf = [&] { return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)); };
        const HFONT fontBefore = fontOf();
        RECT outer{40, 30, 700, 500}, client{}, place{};
        SendMessageA(form.handle(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                     reinterpret_cast<LPARAM>(&outer));
        GetWindowRect(form.handle(), &outer);
        GetClientRect(form.handle(), &client);
        EXPECT_EQ(std::vector<LONG>({outer.left, outer.top, client.right, client.bottom}),
                  std::vector<LONG>({40, 30, pixels(table.clientWidth), pixels(table.clientHeight)}));
        const ControlLayout& entry = *table.control(name);
        const ControlLayout frame = entry.container.empty() ? ControlLayout{} : *table.control(entry.container);
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, form.handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, pixels(frame.x + entry.x));
        EXPECT_NEAR(place.top + place.bottom, 2 * pixels(frame.y + entry.y) + pixels(entry.height), 1);
        LOGFONTA font{};
        EXPECT_EQ(GetObjectA(fontBefore, sizeof font, &font), 0); // released
        GetObjectA(fontOf(), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -pixels((entry.font ? *entry.font : table.defaultFont).points * 20));
        SIZE caption{};
        const HDC context = GetDC(control);
        SelectObject(context, fontOf());
        GetTextExtentPoint32A(context, entry.caption.data(), static_cast<int>(entry.caption.size()), &caption);
        ReleaseDC(control, context);
        EXPECT_GE(place.right - place.left, std::max<LONG>(caption.cx, pixels(entry.width)));
        EXPECT_GE(place.bottom - place.top, std::max<LONG>(caption.cy, pixels(entry.height)));
    }
}

} // namespace
} // namespace almanix
