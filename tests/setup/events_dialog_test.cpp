#include <gtest/gtest.h>

#include "setup/fake_setup_views.h"

namespace almanix {
namespace {

using testing::FakeEventsDialogView;
using Items = std::vector<std::string>;

struct EventsDialogTest : ::testing::Test, testing::FakeSystem {
    FakeEventsDialogView view;
    std::optional<EventsDialog> dialog;

    // A fresh dialog over a fresh view, as each opening makes them; the stores stay.
    void open(const Items& stored = {}) {
        if (!stored.empty()) files.files[eventFile] = fileOf(stored);
        messages.shown.clear();
        view = FakeEventsDialogView{};
        dialog.emplace(view, setup);
        dialog->load();
    }
    void add(const std::string& date, const std::string& content) {
        view.texts[EventsTextBox::date] = date;
        view.texts[EventsTextBox::content] = content;
        dialog->add();
    }
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
    struct Case {
        std::string dateText, content;
        Items list, messages;
    };
    const Case cases[] = {
        {"5/13/98", " a, \"b\" #c ", {"5/13/98 Wednesday  a, \"b\" #c "}, {}}, // both kept as typed
        {"03/04/2100", "x", {"03/04/2100 Thursday x"}, {}}, // 2100 is no leap year
        {"12/06/2026", " ", {"12/06/2026 Sunday  "}, {}},
        {"12/06/2026", "one\r\ntwo", {"12/06/2026 Sunday one"}, {}}, // a pasted line break ends it
        {"12/06/2026", "\nnothing", {}, {"There is no content."}},
        {"nonsense", "", {}, {"There is no content."}},
        {"13/05/1998", "Dentist", {}, {notADate("13/05/1998")}},
        {"12/06/2026 9:00", "Dentist", {}, {notADate("12/06/2026 9:00")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dateText + "," + c.content);
        open();
        add(c.dateText, c.content);
        EXPECT_EQ(view.list, c.list);
        EXPECT_EQ(view.selected, c.list.empty() ? -1 : 0);
        EXPECT_EQ(messages.shown, c.messages);
    }
    EXPECT_TRUE(files.writeLog.empty());
}

// OK writes the list, with the lines it never writes where they stand, then
// stores the days-before text as typed, or tells it is no number.
TEST_F(EventsDialogTest, OkWritesTheListThenStoresTheDaysBeforeTextAsTyped) {
    struct Case {
        std::string daysBefore;
        std::optional<std::string> stored;
    };
    const Case cases[] = {{"07", "07"}, {"-3", "-3"}, {"ab", std::nullopt}, {"", std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.daysBefore);
        registry.keys.clear();
        files.files[eventFile] = "#a\r\n\r\nX05/14/2027 Friday x\r\n#b\r\n";
        open();
        EXPECT_EQ(view.list, (Items{"a", "b"}));
        view.selected = 0;
        dialog->remove();
        add("12/06/2026", "c");
        view.texts[EventsTextBox::daysBefore] = c.daysBefore;
        dialog->accept();
        EXPECT_EQ(files.files[eventFile], "\r\nX05/14/2027 Friday x\r\n#b\r\n#12/06/2026 Sunday c\r\n");
        EXPECT_EQ(stored(kDaysBeforeEventName), c.stored);
        EXPECT_EQ(messages.shown, c.stored ? Items{} : Items{c.daysBefore + " is illegal format. It must be number."});
        EXPECT_EQ(view.closings, 1);
    }
}

TEST_F(EventsDialogTest, OkStoresBothOrNeitherAndKeepsTheDialogOpenWithEveryEdit) {
    enum class Fault { eventWrite, setting, unreadableFile, busyLock };
    const std::string neither = " So that OK saves all or nothing, the events were not saved either. The dialog "
                                "still holds every change: press OK to try again, or Cancel.";
    const std::string settingFailed = "The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, "
                                      "where the settings live.";
    struct Case {
        Fault fault;
        std::optional<std::string> file;
        std::string message;
    };
    const Case cases[] = {
        {Fault::eventWrite, std::nullopt,
         "The events could not be saved: the folder C:\\Almanix does not exist. Nothing was lost: the list still "
         "holds every change. Make the folder and press OK again, or press Cancel."},
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        files.files.erase(eventFile);
        if (c.file) files.files[eventFile] = *c.file;
        files.unreadable.clear();
        if (c.fault == Fault::unreadableFile) files.unreadable.insert(eventFile);
        registry.keys.clear();
        open();
        add("12/06/2026", "Dentist");
        view.texts[EventsTextBox::daysBefore] = "5";
        files.failWrites = c.fault == Fault::eventWrite;
        files.lockBusy = c.fault == Fault::busyLock;
        registry.failWrites = c.fault == Fault::setting;
        dialog->accept();
        EXPECT_EQ(messages.shown, Items{c.message});
        EXPECT_EQ(view.closings, 0);
        EXPECT_EQ(files.files.count(eventFile) ? std::optional(files.files[eventFile]) : std::nullopt, c.file);
        EXPECT_EQ(stored(kDaysBeforeEventName), std::nullopt);

        files.failWrites = registry.failWrites = files.lockBusy = false;
        if (c.fault == Fault::unreadableFile) continue; // its events are still not in the list
        dialog->accept();
        EXPECT_EQ(files.files[eventFile], c.file.value_or("") + fileOf({"12/06/2026 Sunday Dentist"}));
        EXPECT_EQ(stored(kDaysBeforeEventName), "5");
        EXPECT_EQ(view.closings, 1);
    }
}

TEST_F(EventsDialogTest, TheListHoldsAtMost1001EventsAndLosesNoneOfALongerFile) {
    Items stored;
    for (int i = 0; i < 1003; ++i) stored.push_back("01/01/2030 Tuesday event " + std::to_string(i));
    open(stored);
    EXPECT_EQ(view.list, Items(stored.begin(), stored.begin() + 1001));
    EXPECT_EQ(messages.shown, Items{"The event file holds 1003 events, more than the 1001 that the list can show. The "
                                    "list shows the first 1001; the other 2 stay in the file after them when you "
                                    "press OK."});
    messages.shown.clear();
    add("12/06/2026", "one more");
    EXPECT_EQ(view.list.size(), 1001u);
    EXPECT_EQ(messages.shown, Items{"The list already holds 1001 events, as many as it can. Delete an event before "
                                    "adding another."});

    // After a delete there is room again; the events beyond the list follow it in the file.
    view.selected = 0;
    dialog->remove();
    add("12/06/2026", "one more");
    dialog->accept();
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
