// The due-event check drops only event lines, keeps every other line in order,
// invents none, and a second check on the same day finds the same. Read and
// rewritten in pieces of a few bytes, in the file's own encoding, it writes
// what one pass over the whole text keeps.
#include <cstdlib>

#include "events/date_pattern.h"
#include "events/due_events.h"
#include "events/event_file.h"
#include "events/text_encoding.h"
#include "support/fakes.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the locale's order and separator and the days ahead.
    using Field = DatePattern::Field;
    constexpr std::array<std::array<Field, 3>, 3> orders{{{Field::month, Field::day, Field::year},
                                                          {Field::day, Field::month, Field::year},
                                                          {Field::year, Field::month, Field::day}}};
    DatePattern shortDate(orders[data[0] % 3], "/.-"[data[0] / 3 % 3]);
    const auto daysBefore = static_cast<std::int16_t>(data[0] / 9 % 100);
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const DecodedText decoded = decodeFile(bytes);
    const std::string_view text = decoded.text;
    const std::int64_t today = dayNumberOf({2026, 12, 6});

    const EventScan scan = scanEvents(text, today, daysBefore, shortDate);
    const auto lines = eventFileLines(text);
    std::size_t next = 0;
    for (std::string_view kept : eventFileLines(scan.keptText)) {
        for (; next < lines.size() && lines[next] != kept; ++next)
            if (!lines[next].starts_with('#')) std::abort(); // only an event may expire
        if (next == lines.size()) std::abort(); // a line the file never held
        ++next;
    }
    for (; next < lines.size(); ++next)
        if (!lines[next].starts_with('#')) std::abort();

    std::size_t dueLines = 0;
    for (std::size_t at = scan.dueText.find("\r\n"); at != std::string::npos; at = scan.dueText.find("\r\n", at + 2))
        ++dueLines;
    if (dueLines != std::min<std::size_t>(static_cast<std::size_t>(scan.dueCount), kMostAnnouncedEvents)) std::abort();

    const EventScan again = scanEvents(scan.keptText, today, daysBefore, shortDate);
    if (again.keptText != scan.keptText || again.dueText != scan.dueText) std::abort();

    // The check on the file, 7 bytes a read.
    testing::MemoryFileSystem files;
    testing::FixedClock clock({{2026, 12, 6}, 12, 0, 0});
    EventStore store{files, {"C:\\Almanix", '\\', ""}, shortDate, clock};
    files.files[store.paths.eventFile()] = bytes;
    const DueEvents due = checkDueEvents(store, daysBefore);
    if (due.count != scan.dueCount || due.text != scan.dueText) std::abort();
    if (files.files[store.paths.eventFile()] != encodeFile(scan.keptText, decoded.encoding)) std::abort();
    return 0;
}
