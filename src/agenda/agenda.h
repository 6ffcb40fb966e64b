#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendars/calendar_reading.h"
#include "events/due_events.h"
#include "events/short_date.h"

namespace almanix {

// One due item of the event file or of a calendar, as the notice and the
// agenda show it.
struct AgendaEntry {
    CalendarDate date;
    std::optional<ClockTime> time; // local; nothing for an all-day item and for the event file's
    std::string noticeText; // the date as the user writes it, the day's name, "HH:MM ", what it is
    std::string agendaText; // what it is, without date and day name
};

// The event file's announced due events and the calendars' items, in date
// and time order, whole-day items first; ties keep the event file's first.
std::vector<AgendaEntry> agendaOf(const DueEvents& eventFile, const std::vector<CalendarItem>& calendarItems,
                                  ShortDate& shortDate);

// "YYYY-MM-DD<TAB>HH:MM<TAB>text", the time empty where there is none.
std::string agendaLineOf(const AgendaEntry& entry);

// The due events as the saver announces them: the event file's with the
// calendars' merged in, each item after CR LF, at most kMostAnnouncedEvents of
// them; count is every due item's.
DueEvents noticeOf(const DueEvents& eventFile, const std::vector<CalendarItem>& calendarItems, ShortDate& shortDate);

} // namespace almanix
