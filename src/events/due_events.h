#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "events/event_file.h"
#include "events/event_store.h"

namespace almanix {

using DateReadings = std::unordered_map<std::string, std::optional<CalendarDate>>;

// The due events a notice can show: more would only be counted.
inline constexpr std::size_t kMostAnnouncedEvents = 1000;
// A line is sorted by its first bytes (64 KiB) and announced with them; the
// rest of a longer line passes to the file unchanged, never held whole.
inline constexpr std::size_t kLongestReadLine = 64 * 1024;

struct DueEvents {
    EventFileStatus file = EventFileStatus::missing;
    int count = 0;
    // The list items of the first kMostAnnouncedEvents due events in file
    // order, each preceded by CR LF.
    std::string text{};
    // The date of each event in text, in the same order.
    std::vector<CalendarDate> dates{};
};

// Sorts the lines of an event file's text by their dates against today as the
// text arrives, piece by piece: expired lines are left out of what is kept,
// due ones (0 to daysBeforeEvent days ahead) are counted and announced, and
// lines the program never writes, or whose date cannot be read in agreement
// with their day name, are kept unchanged and never announced. The kept lines
// go to keep, in pieces, each line ending with CR LF.
class EventScanner {
public:
    using Sink = std::function<void(std::string_view)>;
    EventScanner(std::int64_t today, std::int16_t daysBeforeEvent, ShortDate& shortDate, Sink keep);

    void scan(std::string_view text);
    // The text after the last line end is a last line.
    void finish();

    int dueCount() const { return dueCount_; }
    std::string& dueText() { return dueText_; }
    std::vector<CalendarDate>& dueDates() { return dueDates_; }

private:
    enum class Tail { none, kept, dropped };
    // Sorts a line, or the beginning of a longer one, keeps it or not, and
    // sets where the rest of it goes.
    void sortLine(std::string_view line);
    void passTail(std::string_view piece);
    void endLine();

    std::int64_t today_;
    std::int16_t daysBeforeEvent_;
    ShortDate& shortDate_;
    Sink keep_;
    std::string line_; // the beginning of the line being read
    Tail tail_ = Tail::none; // where the rest of a long line goes
    bool carriageReturnHeld_ = false; // a CR that ended a piece of a kept tail
    int dueCount_ = 0;
    std::string dueText_;
    std::vector<CalendarDate> dueDates_;
    // The date of each date text and day name met so far.
    DateReadings dateReadings_;
};

// What one pass over a whole event file's text finds.
struct EventScan {
    int dueCount = 0;
    std::string dueText; // as DueEvents::text
    std::string keptText; // the file without its expired events, every line ending in CR LF
};
EventScan scanEvents(std::string_view fileText, std::int64_t today, std::int16_t daysBeforeEvent, ShortDate& shortDate);

// Finds the events due within daysBeforeEvent days and rewrites the event file
// without the events whose date has passed, reading and writing it piece by
// piece in the encoding it came in. A missing or unreadable file is neither
// counted nor written; a failed rewrite leaves the old file whole. Waits for
// the folder's lock until it is had or a stop is asked for; a stop also ends a
// rewrite under way, which then leaves the old file and no temporary one.
// With ExpiredEvents::kept the file is only read, never written.
enum class ExpiredEvents { dropped, kept };
DueEvents checkDueEvents(EventStore& store, std::int16_t daysBeforeEvent, std::stop_token stop = {},
                         ExpiredEvents expired = ExpiredEvents::dropped);

} // namespace almanix
