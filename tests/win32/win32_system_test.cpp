#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "events/due_events.h"
#include "settings/settings_store.h"
#include "setup/events_dialog.h"
#include "setup/speed_dialog.h"
#include "startup/password_services.h"
#include "support/fakes.h"
#include "support/zone_checks.h"
#include "win32/win32_form_view.h"
#include "win32/win32_registry.h"
#include "win32/win32_short_date.h"
#include "win32/win32_time_zones.h"

namespace almanix {
namespace {

// The end-to-end runs write and read its dates in the same locale as this test
// (the events dialog's lines, the saver's due check); here, what is no date,
// and 9 December written day first or month first, which stays due whichever
// order the locale reads.
TEST(Win32ShortDate, RefusesWhatIsNoDateAndReadsAnEventInAnotherOrderByItsDayName) {
    Win32ShortDate shortDate;
    EXPECT_EQ(shortDate.parse("not a date"), std::nullopt);
    const std::string file = "#09/12/2026 Wednesday A\r\n#12/09/2026 Wednesday B\r\n";
    const EventScan scan = scanEvents(file, dayNumberOf({2026, 12, 6}), 3, shortDate);
    EXPECT_EQ(scan.dueCount, 2);
    EXPECT_EQ(scan.keptText, file);
}

TEST(Win32TimeZones, AgreeWithTheKnownZones) {
    Win32TimeZones zones;
    // Older systems' data (Wine's among them) predate Egypt's daylight saving
    // time of 2023, Mexico's end of it in 2022 and Chile's new dates of 2022.
    testing::expectAgreementWithKnownZones(zones, {"Africa/Cairo", "America/Mazatlan", "America/Santiago"});
    // The local zone as the system has it, whichever it is, in winter.
    TIME_ZONE_INFORMATION local{};
    GetTimeZoneInformation(&local);
    EXPECT_EQ(zones.localOffsetAt(dayNumberOf({2026, 1, 15}) * 86400), -(local.Bias + local.StandardBias) * 60);
}

// The saver's day is the one the events' times are turned into, even where a
// TZ variable (which only the C library reads) says otherwise.
TEST(Win32Clock, KeepsTheDayOfTheSystemZoneWhateverTheVariableSays) {
    _putenv("TZ=AAA-13");
    _tzset();
    Win32Clock clock;
    const std::int64_t utcSeconds = clock.utcSeconds();
    const LocalDateTime now = clock.now();
    _putenv("TZ=");
    _tzset();
    const std::int64_t clockSeconds = dayNumberOf(now.date) * 86400 + now.hour * 3600 + now.minute * 60 + now.second;
    // Seconds apart at most, were the minute to turn between the readings.
    EXPECT_LE(std::abs(clockSeconds - utcSeconds - Win32TimeZones().localOffsetAt(utcSeconds)), 2);
    EXPECT_LE(std::abs(utcSeconds - static_cast<std::int64_t>(std::time(nullptr))), 1);
}

constexpr const char* kTestKey = "SOFTWARE\\Screen saver\\Almanix tests";
constexpr RegistryRoot kRoot = RegistryRoot::localMachine;

struct RealRegistry : ::testing::Test {
    Win32Registry registry;

    void SetUp() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }

    // Stores a value as another tool would, bypassing the program's own writing.
    void storeRaw(const char* name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
};

TEST_F(RealRegistry, ValuesReadBackAsTheProgramOrAnotherToolWroteThem) {
    using Raw = std::optional<std::pair<DWORD, std::string>>;
    // Each row: the value's name, its type and bytes as another tool stored them (nothing: the text the program
    // wrote, when read back), what reads back, and the flag it reads as (nothing: Windows and Wine differ).
    const std::tuple<const char*, Raw, std::string, std::optional<std::string>, std::optional<std::int16_t>> cases[] = {
        {"Text", {}, "12abc", "12abc", '1'},
        {"Empty", {}, "", " ", {}},
        {"Latin1", {}, "caf\xE9", "caf\xE9", 'c'},
        {"WithNul", Raw{{REG_SZ, std::string("1\0", 2)}}, "", "1", '1'},
        {"Dword1", Raw{{REG_DWORD, std::string("\x01\0\0\0", 4)}}, "", "&h000001", 1},
        {"Dword261", Raw{{REG_DWORD, std::string("\x05\x01\0\0", 4)}}, "", "&h000105", 5},
        {"Binary", Raw{{REG_BINARY, "12"}}, "", "", '1'},
        {"Missing", {}, "", {}, 0},
    };
    for (const auto& [name, raw, written, readBack, flag] : cases) {
        SCOPED_TRACE(name);
        if (raw) {
            storeRaw(name, raw->first, raw->second);
        } else if (readBack) {
            EXPECT_EQ(writeRegistryText(registry, kRoot, kTestKey, name, written), RegistryWriteStatus::written);
        }
        EXPECT_EQ(readRegistryText(registry, kRoot, kTestKey, name), readBack);
        if (flag) {
            EXPECT_EQ(readRegistryFlag(registry, kRoot, kTestKey, name), *flag);
        }
    }
    EXPECT_EQ(readRegistryFlag(registry, kRoot, "SOFTWARE\\No such key", "Missing"), 0);
}

// Moved to a monitor of another resolution, a window takes the suggested place with the table's
// client area there, and each control its table place and font, grown to a caption that would not fit.
TEST(Win32Form, AMonitorOfAnotherResolutionLaysTheWindowOutAgain) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    Win32FormView events(eventsDialogLayout());
    Win32FormView speed(speedDialogLayout());
    ASSERT_TRUE(InitCommonControlsEx(&classes) && events.create(nullptr) && speed.create(nullptr));
    // Each row: a window, its table, a control and the monitor's dots per inch.
    const std::tuple<Win32Form&, const WindowLayout&, std::string_view, UINT> cases[] = {
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

// A list shows the user's text in its own characters, whether it came as UTF-8 (a UTF-16 event
// file is read so) or in the system code page (an 8-bit one), and never drops it.
TEST(Win32Form, ListItemsShowTheUsersTextInEitherEncoding) {
    Win32FormView events(eventsDialogLayout());
    ASSERT_TRUE(events.create(nullptr));
    const HWND list = events.control("eventList");
    wchar_t inCodePage[8]{};
    MultiByteToWideChar(CP_ACP, 0, "caf\xE9", -1, inCodePage, 8);
    const std::pair<std::string_view, std::wstring> cases[] = {
        {"Wed J\xC3\xBCrgen \xE5\x86\x99\xE7\x9C\x9F", L"Wed J\u00FCrgen \u5199\u771F"},
        {"caf\xE9", inCodePage},
    };
    for (const auto& [item, shown] : cases) {
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        events.appendItem("eventList", item);
        wchar_t text[64]{};
        SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::wstring(text), shown);
    }
}

struct Win32Calendar : ::testing::Test, testing::FakeSystem {};

// Presses a button or ticks a check box as the mouse would.
void click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }

// Finds where the month calendar's next-month arrow is.
std::optional<POINT> nextMonthArrow(HWND calendar) {
    RECT client{};
    GetClientRect(calendar, &client);
    for (LONG y = 0; y < client.bottom; y += 2)
        for (LONG x = client.right - 1; x >= 0; x -= 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = sizeof hit;
            hit.pt = {x, y};
            SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_TITLEBTNNEXT) return hit.pt;
        }
    return std::nullopt;
}

TEST_F(Win32Calendar, TheCalendarReportsPicksAndKeepsToItsOptions) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    Win32FormView dialog(eventsDialogLayout());
    ASSERT_TRUE(dialog.create(nullptr));
    EventsDialog presenter(dialog, setup);
    dialog.attach(presenter);
    presenter.load();
    HWND calendar = dialog.control("calendar");
    const auto arrow = nextMonthArrow(calendar);
    ASSERT_TRUE(arrow);
    const auto clickArrow = [&] {
        const LPARAM at = MAKELPARAM(arrow->x, arrow->y);
        SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(calendar, WM_LBUTTONUP, 0, at);
        return dialog.text("dateBox");
    };
    // Each row ticks or unticks one box as the user would, then clicks the arrow.
    const std::pair<std::string_view, std::string> cases[] = {
        {"yearReadOnlyBox", "12/06/2026"},     {"yearReadOnlyBox", "01/06/2027"},
        {"monthReadOnlyBox", "01/06/2027"},    {"monthReadOnlyBox", "02/06/2027"},
        {"iterationButtonsBox", "02/06/2027"}, {"iterationButtonsBox", "03/06/2027"},
    };
    EXPECT_EQ(dialog.text("dateBox"), "12/06/2026");
    for (const auto& [box, shownAfterClick] : cases) {
        click(dialog.control(box));
        SCOPED_TRACE(std::string(box) + (dialog.isChecked(box) ? " on" : " off"));
        EXPECT_EQ(clickArrow(), shownAfterClick);
    }
    // A date the program sets is taken whatever the options, and the month's limits follow it.
    click(dialog.control("monthReadOnlyBox"));
    presenter.calendar().setDate({1998, 5, 13});
    EXPECT_EQ(dialog.text("dateBox"), "05/13/1998");
    SYSTEMTIME range[2] = {};
    EXPECT_EQ(SendMessageA(calendar, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(range[0].wDay, 1);
    EXPECT_EQ(range[1].wDay, 31);
    EXPECT_EQ(range[1].wMonth, 5);
}

} // namespace
} // namespace almanix
