#include <gtest/gtest.h>

#include <set>

#include "settings/calendar_sources.h"
#include "setup/about_box.h"
#include "setup/calendars_dialog.h"
#include "setup/events_dialog.h"
#include "setup/fake_form_view.h"
#include "setup/setup_window.h"
#include "setup/speed_dialog.h"

namespace almanix {
namespace {

using Items = std::vector<std::string>;

struct SetupDialogsTest : ::testing::Test, testing::FakeSystem {};

// The end-to-end run stores a speed, cancels and reopens; here, a stored speed
// beyond the limit, the label and a failed store, which keeps the dialog open.
TEST_F(SetupDialogsTest, TheSpeedDialogOpensAtTheStoredSpeedTheLabelFollowsOnlyOkStores) {
    for (const bool storeFails : {false, true}) {
        registry.failWrites = storeFails;
        registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, "45");
        testing::FakeFormView view(speedDialogLayout());
        SpeedDialog dialog(view, setup);
        view.presenter = &dialog;
        dialog.load();
        const std::string opened = view.texts["speedLabel"];
        view.slide("speedSlider", 20);
        view.press("okButton");
        EXPECT_EQ(std::make_tuple(opened, view.texts["speedLabel"], view.closings, stored(kMoveSpeedName)),
                  std::make_tuple("30", "20", storeFails ? 0 : 1, storeFails ? "45" : "20"));
    }
    EXPECT_EQ(messages.shown, Items{"The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, "
                                    "where the settings live. Press OK to try again, or Cancel."});
}

// Each menu item opens its dialog; the help names this system's pictures folder.
TEST_F(SetupDialogsTest, TheSetupWindowsMenuOpensEachDialog) {
    testing::FakeFormView view(setupWindowLayout());
    SetupWindow window(view, setup);
    view.presenter = &window;
    window.load();
    EXPECT_NE(view.texts["helpLabel"].find("directory C:\\Almanix\\Pics. That means"), std::string::npos);
    for (const char* item : {"eventsItem", "speedItem", "calendarsItem", "aboutItem"}) view.press(item);
    EXPECT_EQ(view.dialogsShown,
              (std::vector<std::string>{"eventsDialog", "speedDialog", "calendarsDialog", "aboutBox"}));
    window.frameClosed();
    EXPECT_EQ(view.closings, 1);
}

// Controls are reached by their names, so a name must be one window's only.
TEST(FormLayout, EveryControlFitsItsWindowOrFrameUnderANameOfItsOwn) {
    for (const WindowLayout* window : {&setupWindowLayout(), &eventsDialogLayout(), &speedDialogLayout(),
                                       &calendarsDialogLayout(), &aboutBoxLayout()}) {
        std::set<std::string_view> names;
        for (const MenuItem& item : window->menu) EXPECT_TRUE(names.insert(item.name).second) << item.name;
        for (const ControlLayout& control : window->controls) {
            SCOPED_TRACE(std::string(window->name) + " " + std::string(control.name));
            EXPECT_TRUE(names.insert(control.name).second);
            const ControlLayout* frame = control.container.empty() ? nullptr : window->control(control.container);
            EXPECT_EQ(frame == nullptr, control.container.empty());
            EXPECT_LE(control.x + control.width, frame ? frame->width : window->clientWidth);
            EXPECT_LE(control.y + control.height, frame ? frame->height : window->clientHeight);
        }
    }
}

// A dialog that each opening makes afresh over a fresh view; the stores stay.
template <typename Dialog>
struct DialogTest : ::testing::Test, testing::FakeSystem {
    std::optional<testing::FakeFormView> view;
    std::optional<Dialog> dialog;

    void openDialog(const WindowLayout& layout) {
        messages.shown.clear();
        dialog.reset();
        view.emplace(layout);
        dialog.emplace(*view, setup);
        view->presenter = &*dialog;
        dialog->load();
    }
};

struct CalendarsDialogTest : DialogTest<CalendarsDialog> {
    void open() { openDialog(calendarsDialogLayout()); }
    void type(const std::string& text) { view->texts["newSourceBox"] = text; }
    void add(const std::string& text) {
        type(text);
        view->press("addButton");
    }
    const Items& list() { return view->lists["sourceList"]; }
};

// Each opening works on the list the one before stored, then presses OK.
TEST_F(CalendarsDialogTest, AddBrowseAndRemoveWorkOnTheListThatOkStores) {
    const std::string event = "DTSTART;VALUE=DATE:20261224\r\nSUMMARY:x\r\n";
    files.files["C:\\cal\\work.ics"] = testing::calendarOf({event, event});
    files.files["C:\\vdir\\a.ics"] = testing::calendarOf({event});
    files.files["C:\\vdir\\b.txt"] = "";
    const std::string work = "C:\\cal\\work.ics", link = "webcal://example.org/secret/token.ics";
    const std::string workShown = work + "  (2 events)", linkShown = "webcal://example.org/...  (not fetched yet)";
    // What the list shows, what is stored and what is said once OK is pressed.
    const auto okGives = [&](const Items& shown, const Items& stored, const Items& told) {
        view->press("okButton");
        EXPECT_EQ(list(), shown);
        EXPECT_EQ(loadCalendarSources(registry), stored);
        EXPECT_EQ(messages.shown, told);
        EXPECT_EQ(view->closings, 1);
    };
    // Typed and added, trimmed; a link is shown by its host alone.
    open();
    add(" " + work + " ");
    add(link);
    okGives({workShown, linkShown}, {work, link}, {});
    // Browsed to a folder; a name already listed, and an empty box, are told.
    open();
    view->chosenPath = "C:\\vdir";
    view->press("browseButton");
    add(work);
    add("  ");
    okGives({workShown, linkShown, "C:\\vdir  (1 event in 1 file)"}, {work, link, "C:\\vdir"},
            {"This calendar is in the list already.",
             "There is no calendar to add: type the path of a .ics file or of a folder, or a link, or press Browse."});
    // Removed, and one typed but not added is kept by OK.
    open();
    view->selections["sourceList"] = 0;
    view->press("removeButton");
    view->press("removeButton"); // nothing selected
    type("D:\\gone.ics");
    okGives({linkShown, "C:\\vdir  (1 event in 1 file)", "D:\\gone.ics  (not found)"},
            {link, "C:\\vdir", "D:\\gone.ics"}, {});
}

TEST_F(CalendarsDialogTest, AFailedStoreIsToldAndCancelForgetsEveryChange) {
    storeCalendarSources(registry, {"C:\\old.ics"});
    open();
    add("C:\\new.ics");
    registry.failWrites = true;
    view->press("okButton");
    EXPECT_EQ(messages.shown, Items{"The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, where "
                                    "the settings live. The dialog still holds every change: press OK to try again, "
                                    "or Cancel."});
    EXPECT_EQ(view->closings, 0);
    EXPECT_EQ(list().size(), 2u);
    view->press("cancelButton");
    registry.failWrites = false;
    EXPECT_EQ(loadCalendarSources(registry), Items{"C:\\old.ics"});
}

struct EventsDialogTest : DialogTest<EventsDialog> {
    void open(const Items& stored = {}) {
        if (!stored.empty()) files.files[eventFile] = fileOf(stored);
        openDialog(eventsDialogLayout());
    }
    void add(const std::string& date, const std::string& content) {
        view->texts["dateBox"] = date;
        view->texts["contentBox"] = content;
        view->press("addButton");
    }
    const Items& list() { return view->lists["eventList"]; }
    void select(std::size_t index) { view->selections["eventList"] = index; }
    static std::string fileOf(const Items& items) {
        std::string text;
        for (const std::string& item : items) text += "#" + item + "\r\n";
        return text;
    }
};

TEST_F(EventsDialogTest, AddBuildsTheItemFromTheDateTextOrRefuses) {
    const auto notADate = [](const std::string& text) {
        return "\"" + text +
               "\" cannot be read as a date, so no event was added. Pick the date on the "
               "calendar, or type it as in 12/06/2026.";
    };
    // Each row: the date text and the content typed, then the list and the messages after Add.
    const std::tuple<std::string, std::string, Items, Items> cases[] = {
        {"5/13/98", " a, \"b\" #c ", {"5/13/98 Wednesday  a, \"b\" #c "}, {}}, // both kept as typed
        {"03/04/2100", "x", {"03/04/2100 Thursday x"}, {}}, // 2100 is no leap year
        {"12/06/2026", " ", {"12/06/2026 Sunday  "}, {}},
        {"12/06/2026", "one\r\ntwo", {"12/06/2026 Sunday one"}, {}}, // a pasted line break ends it
        {"12/06/2026", "\nnothing", {}, {"There is no content."}},
        {"nonsense", "", {}, {"There is no content."}},
        {"13/05/1998", "Dentist", {}, {notADate("13/05/1998")}},
        {"12/06/2026 9:00", "Dentist", {}, {notADate("12/06/2026 9:00")}},
    };
    for (const auto& [dateText, content, listed, told] : cases) {
        SCOPED_TRACE(dateText + "," + content);
        open();
        add(dateText, content);
        EXPECT_EQ(list(), listed);
        EXPECT_EQ(view->selections["eventList"], listed.empty() ? std::nullopt : std::optional<std::size_t>(0));
        EXPECT_EQ(messages.shown, told);
    }
    EXPECT_TRUE(files.writeLog.empty());
}

// The box opens with the number the saver goes by, so that OK keeps it.
TEST_F(EventsDialogTest, TheDaysBeforeBoxOpensWithTheStoredNumber) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "1"}, {"07", "7"}, {"150", "99"}, {"-3", "1"}, {"x", "1"}};
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored.value_or("nothing"));
        registry.keys.clear();
        if (stored)
            registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName, RegistryType::text,
                         *stored);
        open();
        EXPECT_EQ(view->texts["daysBeforeBox"], shown);
        view->press("okButton");
        EXPECT_EQ(this->stored(kDaysBeforeEventName), shown);
    }
}

// OK writes the list, with the lines it never writes where they stand, and
// stores the days-before text as typed; a text that is no number is told
// before anything is written, and the dialog stays with every edit.
TEST_F(EventsDialogTest, OkChecksTheDaysBeforeTextThenWritesTheListAndStoresTheTextAsTyped) {
    const std::string before = "#a\r\n\r\nX05/14/2027 Friday x\r\n#b\r\n";
    const std::string after = "\r\nX05/14/2027 Friday x\r\n#b\r\n#12/06/2026 Sunday c\r\n";
    for (const std::string daysBefore : {"07", "-3", "ab", ""}) {
        SCOPED_TRACE(daysBefore);
        registry.keys.clear();
        files.files[eventFile] = before;
        open();
        EXPECT_EQ(list(), (Items{"a", "b"}));
        select(0);
        view->press("deleteButton");
        add("12/06/2026", "c");
        view->texts["daysBeforeBox"] = daysBefore;
        view->press("okButton");
        const bool number = daysBefore == "07" || daysBefore == "-3";
        EXPECT_EQ(files.files[eventFile], number ? after : before);
        EXPECT_EQ(stored(kDaysBeforeEventName), number ? std::optional(daysBefore) : std::nullopt);
        EXPECT_EQ(messages.shown, number ? Items{} : Items{daysBefore + " is illegal format. It must be number."});
        EXPECT_EQ(view->closings, number ? 1 : 0);
        if (number) continue;
        EXPECT_EQ(view->focused, "daysBeforeBox");
        view->texts["daysBeforeBox"] = "5";
        view->press("okButton");
        EXPECT_EQ(files.files[eventFile], after);
        EXPECT_EQ(stored(kDaysBeforeEventName), "5");
        EXPECT_EQ(view->closings, 1);
    }
}

TEST_F(EventsDialogTest, OkStoresBothOrNeitherAndKeepsTheDialogOpenWithEveryEdit) {
    enum class Fault { eventWrite, setting, unreadableFile, busyLock };
    const std::string neither = " So that OK saves all or nothing, the events were not saved either. The dialog "
                                "still holds every change: press OK to try again, or Cancel.";
    const std::string settingFailed = "The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, "
                                      "where the settings live.";
    // Each row: the fault, the event file before, and the message.
    const std::tuple<Fault, std::optional<std::string>, std::string> cases[] = {
        {Fault::eventWrite, std::nullopt,
         "The events could not be saved: the folder C:\\Almanix does not exist and could not be made. Nothing was "
         "lost: the list still holds every change. Make the folder and press OK again, or press Cancel."},
        {Fault::setting, fileOf({"old one"}), settingFailed + neither},
        {Fault::busyLock, fileOf({"old one"}),
         "The events were not saved: another copy of Almanix is writing the event file C:\\Almanix\\events.dat. "
         "Nothing was lost: the list still holds every change. Press OK again in a moment."},
        {Fault::setting, std::nullopt, settingFailed + neither},
        {Fault::unreadableFile, fileOf({"old one"}),
         "The events were not saved: the event file C:\\Almanix\\events.dat could not be read, so the list lacks its "
         "events and saving would lose them. Nothing was changed. Press Cancel, make the file readable and open this "
         "dialog again."},
    };
    for (const auto& [fault, file, message] : cases) {
        SCOPED_TRACE(message);
        files.files.erase(eventFile);
        if (file) files.files[eventFile] = *file;
        files.unreadable.clear();
        if (fault == Fault::unreadableFile) files.unreadable.insert(eventFile);
        registry.keys.clear();
        open();
        add("12/06/2026", "Dentist");
        view->texts["daysBeforeBox"] = "5";
        files.failWrites = fault == Fault::eventWrite;
        files.lockBusy = fault == Fault::busyLock;
        registry.failWrites = fault == Fault::setting;
        view->press("okButton");
        EXPECT_EQ(messages.shown, Items{message});
        EXPECT_EQ(view->closings, 0);
        EXPECT_EQ(files.files.count(eventFile) ? std::optional(files.files[eventFile]) : std::nullopt, file);
        EXPECT_EQ(stored(kDaysBeforeEventName), std::nullopt);

        files.failWrites = registry.failWrites = files.lockBusy = false;
        if (fault == Fault::unreadableFile) continue; // its events are still not in the list
        view->press("okButton");
        EXPECT_EQ(files.files[eventFile], file.value_or("") + fileOf({"12/06/2026 Sunday Dentist"}));
        EXPECT_EQ(stored(kDaysBeforeEventName), "5");
        EXPECT_EQ(view->closings, 1);
    }
}

TEST_F(EventsDialogTest, TheListHoldsAtMost1001EventsAndLosesNoneOfALongerFile) {
    Items stored;
    for (int i = 0; i < 1003; ++i) stored.push_back("01/01/2030 Tuesday event " + std::to_string(i));
    open(stored);
    EXPECT_EQ(list(), Items(stored.begin(), stored.begin() + 1001));
    EXPECT_EQ(messages.shown, Items{"The event file holds 1003 events, more than the 1001 that the list can show. The "
                                    "list shows the first 1001; the other 2 stay in the file after them when you "
                                    "press OK."});
    messages.shown.clear();
    add("12/06/2026", "one more");
    EXPECT_EQ(list().size(), 1001u);
    EXPECT_EQ(messages.shown, Items{"The list already holds 1001 events, as many as it can. Delete an event before "
                                    "adding another."});

    // After a delete there is room again; the events beyond the list follow it in the file.
    select(0);
    view->press("deleteButton");
    add("12/06/2026", "one more");
    view->press("okButton");
    Items expected(stored.begin() + 1, stored.begin() + 1001);
    expected.push_back("12/06/2026 Sunday one more");
    expected.insert(expected.end(), stored.begin() + 1001, stored.end());
    EXPECT_EQ(files.files[eventFile], fileOf(expected));
}

// A month's last day, at the year's end and in a leap February; the Windows
// calendar's test clicks its arrows through each option.
TEST(Calendar, PicksKeepToTheMonthOrYearTheOptionsHold) {
    const std::tuple<CalendarDate, CalendarOptions, CalendarDate, CalendarDate> cases[] = {
        {{2026, 12, 6}, {.yearReadOnly = true}, {2026, 1, 1}, {2026, 12, 31}},
        {{2026, 12, 6}, {.monthReadOnly = true, .yearReadOnly = true}, {2026, 12, 1}, {2026, 12, 31}},
        {{2024, 2, 10}, {.monthReadOnly = true}, {2024, 2, 1}, {2024, 2, 29}},
    };
    for (const auto& [picked, options, first, last] : cases) {
        SCOPED_TRACE(::testing::Message() << picked.month << "/" << picked.year << " month " << options.monthReadOnly);
        const auto range = pickableRange(picked, options);
        ASSERT_TRUE(range);
        EXPECT_EQ(range->first, first);
        EXPECT_EQ(range->last, last);
    }
}

} // namespace
} // namespace almanix
