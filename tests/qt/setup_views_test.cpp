#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "qt/qt_about_box.h"
#include "qt/qt_calendar.h"
#include "qt/qt_events_dialog.h"
#include "qt/qt_setup_window.h"
#include "qt/qt_speed_dialog.h"
#include "setup/fake_setup_views.h"
#include "support/offscreen_application.h"

namespace almanix {
namespace {

// The name of the table's control that holds the focus widget.
std::string controlNameOf(QWidget* widget, const WindowLayout& table) {
    for (; widget; widget = widget->parentWidget()) {
        const std::string name = widget->objectName().toStdString();
        if (table.control(name)) return name;
    }
    return "(none)";
}

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

struct SetupViews : ::testing::Test, testing::FakeSetupServices {
    SetupViews() : FakeSetupServices({"/home/ann/Almanix", '/'}) {}
    void SetUp() override { testing::offscreenApplication(); }
};

// Presses Tab from the first control once round the dialog, noting where the focus goes.
std::vector<std::string> tabRound(QtFormDialog& dialog, const WindowLayout& table) {
    activate(dialog);
    dialog.focusFirstControl();
    std::vector<std::string> visited{controlNameOf(QApplication::focusWidget(), table)};
    for (std::size_t i = 0; i < tabOrderOf(table).size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(controlNameOf(QApplication::focusWidget(), table));
    }
    return visited;
}

TEST_F(SetupViews, DialogsHaveTheirTablesSizeTitleAndTabOrder) {
    QtEventsDialog events(nullptr);
    QtSpeedDialog speed(nullptr);
    QtAboutBox about(nullptr);
    struct Case {
        QtFormDialog& dialog;
        const WindowLayout& table;
        QSize size;
        std::vector<std::string> round;
    };
    const Case cases[] = {
        {events, eventsfmLayout(), {490, 366},
         {"txtValue", "chkMonthRO", "chkYearRO", "chkShowIterration", "lbxEvents", "Command1", "Command2", "Text1",
          "Command3", "Command4", "Calendar1", "diffdays", "txtValue"}},
        {speed, speedfmLayout(), {250, 167}, {"moveSpeed", "Command1", "Command2", "moveSpeed"}},
        {about, aboutfmLayout(), {249, 187}, {"Command1", "Command1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table.name);
        EXPECT_EQ(c.dialog.size(), c.size);
        EXPECT_EQ(c.dialog.windowTitle().trimmed().toStdString(), c.table.title);
        EXPECT_EQ(tabRound(c.dialog, c.table), c.round);
        c.dialog.hide();
    }
}

TEST_F(SetupViews, NoButtonIsDefaultEnterPressesOnlyTheFocusedOneEscapeNone) {
    QtEventsDialog dialog(nullptr);
    EventsDialog presenter(dialog, services);
    dialog.attach(presenter);
    presenter.Form_Load();
    activate(dialog);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    auto* content = dialog.findChild<QLineEdit*>("Text1");
    auto* add = dialog.findChild<QPushButton*>("Command1");
    auto* list = dialog.findChild<QListWidget*>("lbxEvents");

    content->setFocus();
    QTest::keyClicks(content, "Dentist");
    QTest::keyClick(content, Qt::Key_Return);
    QTest::keyClick(content, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(list->count(), 0);

    // Once a button has been clicked, Enter in a text box still presses nothing.
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Return);
    EXPECT_EQ(list->count(), 1);
    content->setFocus();
    QTest::keyClick(content, Qt::Key_Return);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "12/06/2026 Sunday Dentist");
    EXPECT_TRUE(list->item(0)->isSelected());

    for (QWidget* target : std::initializer_list<QWidget*>{content, add, list}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_TRUE(files.writeLog.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SetupViews, TheCalendarKeepsToItsOptions) {
    QtCalendar calendar(nullptr);
    std::vector<std::string> events;
    calendar.onDateChange = [&](const CalendarDate& from, const CalendarDate& to) {
        events.push_back(std::to_string(from.day) + " -> " + std::to_string(to.day) + "." + std::to_string(to.month));
    };
    calendar.setDate({2026, 12, 6});
    events.clear();

    calendar.setMonthReadOnly(true);
    calendar.setSelectedDate(QDate(2026, 11, 30)); // the month's first day is as far as it goes
    calendar.setSelectedDate(QDate(2026, 12, 31));
    calendar.setMonthReadOnly(false);
    calendar.setYearReadOnly(true);
    calendar.setSelectedDate(QDate(2027, 1, 1)); // and the year's last day
    calendar.setSelectedDate(QDate(2026, 1, 2));
    calendar.setYearReadOnly(false);
    calendar.setSelectedDate(QDate(2025, 3, 4));
    EXPECT_EQ(events, (std::vector<std::string>{"6 -> 1.12", "1 -> 31.12", "31 -> 2.1", "2 -> 4.3"}));

    // A date the program sets is taken whatever the options.
    calendar.setMonthReadOnly(true);
    calendar.setDate({2030, 7, 1});
    EXPECT_EQ(calendar.date(), (CalendarDate{2030, 7, 1}));

    // A turn of the page takes the picked date along, to the month's last day at most.
    calendar.setMonthReadOnly(false);
    calendar.setDate({2031, 1, 31});
    events.clear();
    calendar.showNextMonth();
    EXPECT_EQ(events, (std::vector<std::string>{"31 -> 28.2"}));

    calendar.setShowIterationButtons(false);
    for (const char* name : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"}) {
        auto* button = calendar.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isHidden());
    }
}

TEST_F(SetupViews, TheMenuOpensTheDialogsByItsAccessKeys) {
    testing::RecordingDialogs dialogs;
    QtSetupWindow window(services, &dialogs);
    window.presenter().Form_Load();
    activate(window);
    EXPECT_EQ(window.windowTitle(), "Setup");
    EXPECT_EQ(window.centralWidget()->size(), QSize(434, 412));
    EXPECT_TRUE(window.findChild<QLabel*>("Label3")->text().contains("~/Almanix/pics."));

    for (const Qt::Key key : {Qt::Key_E, Qt::Key_S, Qt::Key_A, Qt::Key_X})
        QTest::keyClick(&window, key, Qt::AltModifier);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"events", "speed", "about"}));

    QStringList captions;
    for (QAction* action : window.menuBar()->actions()) captions << action->text();
    EXPECT_EQ(captions, (QStringList{"&Events ", "Move &Speed", "&About"}));
}

} // namespace
} // namespace almanix
