#include "qt/qt_calendar.h"

#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

namespace almanix {

QDate qtDateOf(const CalendarDate& date) { return QDate(date.year, date.month, date.day); }

CalendarDate calendarDateOf(const QDate& date) { return {date.year(), date.month(), date.day()}; }

QtCalendar::QtCalendar(QWidget* parent) : QCalendarWidget(parent), earliest_(minimumDate()), latest_(maximumDate()) {
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(this, &QCalendarWidget::selectionChanged, this, [this] {
        if (picked_) picked_(calendarDateOf(selectedDate()));
    });
    connect(this, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) { pageTurned(year, month); });
}

void QtCalendar::showDate(const CalendarDate& date) {
    const QSignalBlocker quiet(this);
    setSelectedDate(qtDateOf(date));
}

void QtCalendar::pageTurned(int year, int month) {
    const QDate picked = selectedDate();
    if (picked.year() == year && picked.month() == month) return;
    // The same day, or the month's last where it has fewer days.
    const QDate first(year, month, 1);
    setSelectedDate(QDate(year, month, std::min(picked.day(), first.daysInMonth())));
}

void QtCalendar::restrict(const std::optional<DateRange>& range, const CalendarOptions& options) {
    {
        // The range always holds the picked date, so narrowing it moves nothing.
        const QSignalBlocker quiet(this);
        setDateRange(range ? qtDateOf(range->first) : earliest_, range ? qtDateOf(range->last) : latest_);
    }
    for (const char* name : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"})
        if (auto* button = findChild<QToolButton*>(name)) button->setVisible(options.showIterationButtons);
    if (auto* monthButton = findChild<QToolButton*>("qt_calendar_monthbutton"))
        monthButton->setEnabled(!options.monthReadOnly);
    if (auto* yearButton = findChild<QToolButton*>("qt_calendar_yearbutton"))
        yearButton->setEnabled(!options.monthReadOnly && !options.yearReadOnly);
}

} // namespace almanix
