#include "events/upcoming_events.h"

#include "events/event_file.h"
#include "settings/settings_store.h"

namespace almanix {

std::string gDueEventsText;

namespace {

enum class LineKind { expired, due, later, unreadable };

// A line the program wrote is "#", a date text, a space and the rest of the item.
// Anything else is kept as it stands and never announced.
LineKind classify(std::string_view line, std::int64_t today, ShortDate& shortDate) {
    if (!line.starts_with('#') || line.find_first_of("\r\n") != std::string_view::npos)
        return LineKind::unreadable;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 1) return LineKind::unreadable;
    const auto date = shortDate.parse(line.substr(1, space - 1));
    if (!date) return LineKind::unreadable;

    const std::int64_t days = dayNumberOf(*date) - today;
    if (days < 0) return LineKind::expired;
    if (days <= gDaysBeforeEvent) return LineKind::due;
    return LineKind::later;
}

} // namespace

int checkUpcomingEvents(EventStore& store) {
    gDueEventsText.clear();
    std::string text;
    const int result = readWholeFile(store, store.paths.eventFile(), text);
    if (result != 0) return result;
    return scanEvents(store, text);
}

bool fileExists(EventStore& store, const std::string& path) {
    return store.files.canOpenForReading(path);
}

int readWholeFile(EventStore& store, const std::string& path, std::string& text) {
    if (!fileExists(store, path)) return -2;
    auto contents = store.files.readWholeFile(path);
    if (!contents) return -1;
    text = std::move(*contents);
    return 0;
}

int scanEvents(EventStore& store, const std::string& fileText) {
    const std::int64_t today = dayNumberOf(store.clock.now().date);
    std::string kept;
    kept.reserve(fileText.size() + kLineEnd.size());
    int dueCount = 0;
    for (std::string_view line : eventFileLines(fileText)) {
        const LineKind kind = classify(line, today, store.shortDate);
        if (kind == LineKind::expired) continue;
        if (kind == LineKind::due) {
            ++dueCount;
            gDueEventsText += kLineEnd;
            gDueEventsText += line.substr(1);
        }
        kept += line;
        kept += kLineEnd;
    }
    // A failed rewrite keeps the old file; its expired events go at the next check.
    store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), kept);
    return dueCount;
}

} // namespace almanix
