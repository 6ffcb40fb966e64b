#include "qt/qt_calendar.h"

#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

namespace almanix {

QDate qtDateOf(const CalendarDate& date) { return QDate(date.year, date.month, date.day); }

CalendarDate calendarDateOf(const QDate& date) { return {date.year(), date.month(), date.day()}; }

QtCalendar::QtCalendar(QWidget* parent)
    : QCalendarWidget(parent), current_(selectedDate()), earliest_(minimumDate()), latest_(maximumDate()) {
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(this, &QCalendarWidget::selectionChanged, this, [this] { selectionMoved(); });
    connect(this, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) { pageTurned(year, month); });
    connect(this, &QCalendarWidget::activated, this, [this] {
        if (onDblClick) onDblClick();
    });
}

CalendarDate QtCalendar::date() const { return calendarDateOf(current_); }

void QtCalendar::setDate(const CalendarDate& date) {
    const QDate wanted = qtDateOf(date);
    if (!wanted.isValid()) return;
    {
        // Lift the read-only limits for this one move; they then hold around the new date.
        const QSignalBlocker quiet(this);
        setDateRange(earliest_, latest_);
    }
    setSelectedDate(wanted);
    applyOptions();
}

void QtCalendar::selectionMoved() {
    const QDate picked = selectedDate();
    if (picked == current_) return;
    bool cancel = false;
    if (onWillChangeDate) onWillChangeDate(calendarDateOf(picked), cancel);
    if (cancel) {
        const QSignalBlocker quiet(this);
        setSelectedDate(current_);
        setCurrentPage(current_.year(), current_.month());
        return;
    }
    const QDate old = current_;
    current_ = picked;
    if (onDateChange) onDateChange(calendarDateOf(old), calendarDateOf(picked));
}

void QtCalendar::pageTurned(int year, int month) {
    const QDate picked = selectedDate();
    if (picked.year() == year && picked.month() == month) return;
    // The arrows move the picked date with the page, as on Windows: the same
    // day, or the month's last where it has fewer days.
    const QDate first(year, month, 1);
    setSelectedDate(QDate(year, month, std::min(picked.day(), first.daysInMonth())));
}

void QtCalendar::setMonthReadOnly(bool value) {
    monthReadOnly_ = value;
    applyOptions();
}

void QtCalendar::setYearReadOnly(bool value) {
    yearReadOnly_ = value;
    applyOptions();
}

void QtCalendar::setShowIterationButtons(bool value) {
    showIterationButtons_ = value;
    applyOptions();
}

void QtCalendar::applyOptions() {
    const QDate shown = current_;
    QDate first = earliest_;
    QDate last = latest_;
    if (monthReadOnly_) {
        first = QDate(shown.year(), shown.month(), 1);
        last = first.addMonths(1).addDays(-1);
    } else if (yearReadOnly_) {
        first = QDate(shown.year(), 1, 1);
        last = QDate(shown.year(), 12, 31);
    }
    {
        // Narrowing the range around the picked date moves nothing.
        const QSignalBlocker quiet(this);
        setDateRange(first, last);
    }
    for (const char* name : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"})
        if (auto* button = findChild<QToolButton*>(name)) button->setVisible(showIterationButtons_);
    if (auto* monthButton = findChild<QToolButton*>("qt_calendar_monthbutton")) monthButton->setEnabled(!monthReadOnly_);
    if (auto* yearButton = findChild<QToolButton*>("qt_calendar_yearbutton"))
        yearButton->setEnabled(!monthReadOnly_ && !yearReadOnly_);
}

} // namespace almanix
