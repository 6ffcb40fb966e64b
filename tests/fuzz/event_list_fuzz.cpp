// The event list loads every line of any file, and saving and loading it again
// changes nothing: no event or other line is lost, altered or added.
#include <cstdlib>

#include "events/event_file.h"
#include "support/fakes.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::MemoryFileSystem files;
    DatePattern shortDate({DatePattern::Field::month, DatePattern::Field::day, DatePattern::Field::year}, '/');
    testing::FixedClock clock({{2026, 12, 6}, 12, 0, 0});
    EventStore store{files, {"C:\\Almanix", '\\', ""}, shortDate, clock};
    const std::string path = store.paths.eventFile();
    const std::string text(reinterpret_cast<const char*>(data), size);
    files.files[path] = text;

    const EventList first = loadEventList(store);
    const auto lines = eventFileLines(text);
    if (first.lines.size() != lines.size()) std::abort();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool event = first.lines[i].kind == EventLineKind::event;
        const std::string stored = (event ? "#" : "") + first.lines[i].text;
        if (stored != lines[i] || event != lines[i].starts_with('#')) std::abort();
    }
    if (!saveEventList(store, first.lines)) std::abort();
    const std::string saved = files.files[path];
    const EventList second = loadEventList(store);
    if (second.lines != first.lines || !saveEventList(store, second.lines) || files.files[path] != saved) std::abort();
    return 0;
}
