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
    const Items& list() { return view->lists["sourceList"]; }
};

// Each row acts on a dialog opened over the list the row before stored, then
// presses OK: what the list shows, what is stored, what is said.
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
    struct Case {
        const char* name;
        std::function<void(CalendarsDialogTest&)> act;
        Items shown, stored, messages;
    };
    const Case cases[] = {
        {"typed and added, trimmed; a link by its host alone",
         [](auto& t) {
             t.type(" C:\\cal\\work.ics ");
             t.view->press("addButton");
             t.type("webcal://example.org/secret/token.ics");
             t.view->press("addButton");
         },
         {"C:\\cal\\work.ics  (2 events)", "webcal://example.org/...  (not fetched yet)"},
         {"C:\\cal\\work.ics", "webcal://example.org/secret/token.ics"},
         {}},
        {"browsed to a folder; a name already listed, and an empty box, are told",
         [](auto& t) {
             t.view->chosenPath = "C:\\vdir";
             t.view->press("browseButton");
             t.type("C:\\cal\\work.ics");
             t.view->press("addButton");
             t.type("  ");
             t.view->press("addButton");
         },
         {"C:\\cal\\work.ics  (2 events)", "webcal://example.org/...  (not fetched yet)",
          "C:\\vdir  (1 event in 1 file)"},
         {"C:\\cal\\work.ics", "webcal://example.org/secret/token.ics", "C:\\vdir"},
         {"This calendar is in the list already.",
          "There is no calendar to add: type the path of a .ics file or of a folder, or a link, or press Browse."}},
        {"removed, and one typed but not added is kept by OK",
         [](auto& t) {
             t.view->selections["sourceList"] = 0;
             t.view->press("removeButton");
             t.view->press("removeButton"); // nothing selected
             t.type("D:\\gone.ics");
         },
         {"webcal://example.org/...  (not fetched yet)", "C:\\vdir  (1 event in 1 file)", "D:\\gone.ics  (not found)"},
         {"webcal://example.org/secret/token.ics", "C:\\vdir", "D:\\gone.ics"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        c.act(*this);
        view->press("okButton");
        EXPECT_EQ(list(), c.shown);
        EXPECT_EQ(loadCalendarSources(registry), c.stored);
        EXPECT_EQ(messages.shown, c.messages);
        EXPECT_EQ(view->closings, 1);
    }
}

TEST_F(CalendarsDialogTest, AFailedStoreIsToldAndCancelForgetsEveryChange) {
    storeCalendarSources(registry, {"C:\\old.ics"});
    open();
    type("C:\\new.ics");
    view->press("addButton");
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
