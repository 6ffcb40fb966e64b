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

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

struct SetupViews : ::testing::Test, testing::FakeSystem {
    SetupViews() : FakeSystem({"/home/ann/Almanix", '/', "~/Almanix/pics"}) {}
    void SetUp() override { testing::offscreenApplication(); }
};

TEST_F(SetupViews, DialogsHaveTheirTablesSizeAndTitle) {
    QtEventsDialog events(nullptr);
    QtSpeedDialog speed(nullptr);
    QtAboutBox about(nullptr);
    const std::tuple<QtFormDialog&, const WindowLayout&, QSize> cases[] = {
        {events, eventsDialogLayout(), {490, 366}},
        {speed, speedDialogLayout(), {250, 167}},
        {about, aboutBoxLayout(), {249, 187}},
    };
    for (const auto& [dialog, table, size] : cases) {
        SCOPED_TRACE(table.name);
        EXPECT_EQ(dialog.size(), size);
        EXPECT_EQ(dialog.windowTitle().trimmed().toStdString(), table.title);
    }
}

TEST_F(SetupViews, NoButtonIsDefaultEnterPressesOnlyTheFocusedOneEscapeNone) {
    using Controls = EventsDialogControls;
    QtEventsDialog dialog(nullptr);
    EventsDialog presenter(dialog, setup);
    dialog.attach(presenter);
    presenter.load();
    activate(dialog);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    auto* content = dialog.findChild<QLineEdit*>(qtText(Controls::contentBox));
    auto* add = dialog.findChild<QPushButton*>(qtText(Controls::addButton));
    auto* list = dialog.findChild<QListWidget*>(qtText(Controls::eventList));

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

TEST_F(SetupViews, TheCalendarControlKeepsToItsLimitsAndItsArrowsTakeTheDateAlong) {
    QtCalendar control(nullptr);
    std::vector<CalendarDate> picks;
    control.reportPicksTo([&](const CalendarDate& date) { picks.push_back(date); });
    control.showDate({2026, 12, 6});
    EXPECT_TRUE(picks.empty()); // shown, not picked

    control.restrict(DateRange{{2026, 12, 1}, {2026, 12, 31}}, {.monthReadOnly = true});
    control.setSelectedDate(QDate(2026, 11, 30)); // the first day is as far as it goes
    control.setSelectedDate(QDate(2027, 1, 1));
    control.restrict(std::nullopt, {});
    control.setSelectedDate(QDate(2031, 1, 31));
    control.showNextMonth(); // to the month's last day at most
    EXPECT_EQ(picks, (std::vector<CalendarDate>{{2026, 12, 1}, {2026, 12, 31}, {2031, 1, 31}, {2031, 2, 28}}));

    control.restrict(std::nullopt, {.showIterationButtons = false});
    for (const char* name : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"}) {
        auto* button = control.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isHidden());
    }
}

TEST_F(SetupViews, TheMenuOpensTheDialogsByItsAccessKeys) {
    testing::RecordingDialogs dialogs;
    QtSetupWindow window(platform, &dialogs);
    window.presenter().load();
    activate(window);
    EXPECT_EQ(window.windowTitle(), "Setup");
    EXPECT_EQ(window.centralWidget()->size(), QSize(434, 412));
    EXPECT_TRUE(window.findChild<QLabel*>(qtText(SetupWindowControls::helpLabel))->text().contains("~/Almanix/pics."));

    for (const Qt::Key key : {Qt::Key_E, Qt::Key_S, Qt::Key_A, Qt::Key_X})
        QTest::keyClick(&window, key, Qt::AltModifier);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"events", "speed", "about"}));

    QStringList captions;
    for (QAction* action : window.menuBar()->actions()) captions << action->text();
    EXPECT_EQ(captions, (QStringList{"&Events ", "Move &Speed", "&About"}));
}

} // namespace
} // namespace almanix
