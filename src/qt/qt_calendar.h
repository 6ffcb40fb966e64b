#pragma once

#include <QCalendarWidget>
#include <functional>

#include "common/calendar_date.h"
#include "setup/calendar.h"

namespace almanix {

// The events dialog's calendar control on a QCalendarWidget. The month
// arrows step a month and take the picked date along, as on Windows.
class QtCalendar final : public QCalendarWidget, public CalendarControl {
public:
    explicit QtCalendar(QWidget* parent);

    // Hears every date the user picks.
    void reportPicksTo(std::function<void(const CalendarDate&)> picked) { picked_ = std::move(picked); }

    void showDate(const CalendarDate& date) override;
    void restrict(const std::optional<DateRange>& range, const CalendarOptions& options) override;

private:
    void pageTurned(int year, int month);

    std::function<void(const CalendarDate&)> picked_;
    QDate earliest_;
    QDate latest_;
};

QDate qtDateOf(const CalendarDate& date);
CalendarDate calendarDateOf(const QDate& date);

} // namespace almanix
