#pragma once

#include <QCalendarWidget>

#include "common/calendar_date.h"
#include "setup/events_dialog.h"

namespace almanix {

// The events dialog's calendar: a month view with a picked date, three display
// options and three events. Month read-only keeps the user on the month shown,
// year read-only on the year shown; the iteration buttons step a month, and the
// picked date with it.
class QtCalendar final : public QCalendarWidget, public CalendarEvents {
public:
    explicit QtCalendar(QWidget* parent);

    CalendarDate date() const;
    // Raises the change events like a pick by the user, whatever the options hold.
    void setDate(const CalendarDate& date);

    bool monthReadOnly() const { return monthReadOnly_; }
    bool yearReadOnly() const { return yearReadOnly_; }
    bool showIterationButtons() const { return showIterationButtons_; }
    void setMonthReadOnly(bool value);
    void setYearReadOnly(bool value);
    void setShowIterationButtons(bool value);

private:
    void selectionMoved();
    void pageTurned(int year, int month);
    void applyOptions();

    QDate current_;
    QDate earliest_;
    QDate latest_;
    bool monthReadOnly_ = false;
    bool yearReadOnly_ = false;
    bool showIterationButtons_ = true;
};

QDate qtDateOf(const CalendarDate& date);
CalendarDate calendarDateOf(const QDate& date);

} // namespace almanix
