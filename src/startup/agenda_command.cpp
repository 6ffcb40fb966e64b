#include "startup/agenda_command.h"

#include "agenda/agenda.h"
#include "calendars/calendar_links.h"
#include "settings/calendar_sources.h"
#include "settings/settings_store.h"

namespace almanix {

AgendaPrinted printAgenda(const CommandLine& line, Platform& platform) {
    const std::int16_t daysBefore = line.daysBeforeEvent.value_or(loadSettings(platform.registry).daysBeforeEvent);
    std::vector<std::string> sources = loadCalendarSources(platform.registry);
    sources.insert(sources.end(), line.calendars.begin(), line.calendars.end());

    AgendaPrinted printed = AgendaPrinted::whole;
    EventStore store = platform.eventStore();
    const DueEvents eventFile = checkDueEvents(store, daysBefore, {}, ExpiredEvents::kept);
    if (const std::string problem = eventFileProblem(eventFile.file, platform.paths.eventFile()); !problem.empty()) {
        platform.console.writeError(problem);
        printed = AgendaPrinted::partly;
    }
    // The check lists so many of the event file's due events; the rest are said, not dropped in silence.
    if (const std::size_t unlisted = static_cast<std::size_t>(eventFile.count) - eventFile.dates.size()) {
        platform.console.writeError(platform.paths.eventFile() + ": " + std::to_string(unlisted) +
                                    " more due events than the agenda lists");
        printed = AgendaPrinted::partly;
    }
    const LocalDateTime now = platform.clock.now();
    const AgendaWindow window{now.date, dateOfDayNumber(dayNumberOf(now.date) + daysBefore)};
    SourceServices services = platform.sourceServices();
    std::vector<CalendarItem> items;
    for (const std::string& source : sources) {
        SourceReading reading =
            readSource(source, services, window, {platform.clock.utcSeconds(), now}, LinkFetching::whenDue);
        if (!reading.read) {
            platform.console.writeError(sourceNameForMessages(source) + ": " + reading.state);
            printed = AgendaPrinted::partly;
        }
        items.insert(items.end(), reading.items.begin(), reading.items.end());
    }
    std::string text;
    for (const AgendaEntry& entry : agendaOf(eventFile, items, platform.shortDate)) text += agendaLineOf(entry) + '\n';
    platform.console.write(text);
    return printed;
}

} // namespace almanix
