#include <gtest/gtest.h>

#include "settings/calendar_sources.h"
#include "setup/calendars_dialog.h"
#include "setup/fake_form_view.h"

namespace almanix {
namespace {

using Items = std::vector<std::string>;

struct CalendarsDialogTest : ::testing::Test, testing::FakeSystem {
    std::optional<testing::FakeFormView> view;
    std::optional<CalendarsDialog> dialog;

    void open() {
        messages.shown.clear();
        dialog.reset();
        view.emplace(calendarsDialogLayout());
        dialog.emplace(*view, setup);
        view->presenter = &*dialog;
        dialog->load();
    }
    void type(const std::string& text) { view->texts["newSourceBox"] = text; }
    void add(const std::string& text) {
        type(text);
        view->press("addButton");
    }
    const Items& list() { return view->lists["sourceList"]; }
};

// Each opening works on the list the one before stored, then presses OK.
TEST_F(CalendarsDialogTest, AddBrowseAndRemoveWorkOnTheListThatOkStores) {
    const auto calendarOf = [](int count) {
        std::string text = "BEGIN:VCALENDAR\r\n";
        for (int event = 0; event < count; ++event)
            text += "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261224\r\nSUMMARY:x\r\nEND:VEVENT\r\n";
        return text + "END:VCALENDAR\r\n";
    };
    files.files["C:\\cal\\work.ics"] = calendarOf(2);
    files.files["C:\\vdir\\a.ics"] = calendarOf(1);
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

} // namespace
} // namespace almanix
