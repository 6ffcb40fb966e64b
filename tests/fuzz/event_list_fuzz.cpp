// The event list loads every line of any file in any encoding, and saving and
// loading it again changes nothing: no event or other line is lost, altered or
// added, the encoding stays, and a file that is whole in its encoding keeps
// its bytes through a read and a write of its text.
#include <cstdlib>

#include "events/event_file.h"
#include "events/text_encoding.h"
#include "support/fakes.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::MemoryFileSystem files;
    DatePattern shortDate({DatePattern::Field::month, DatePattern::Field::day, DatePattern::Field::year}, '/');
    testing::FixedClock clock({{2026, 12, 6}, 12, 0, 0});
    EventStore store{files, {"C:\\Almanix", '\\', ""}, shortDate, clock};
    const std::string path = store.paths.eventFile();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    files.files[path] = bytes;

    const DecodedText decoded = decodeFile(bytes);
    const std::string_view mark = byteOrderMark(decoded.encoding);
    const bool oddUnit =
        decoded.encoding == TextEncoding::utf16LittleEndian || decoded.encoding == TextEncoding::utf16BigEndian
            ? (size - mark.size()) % 2 != 0
            : false;
    if (!oddUnit && encodeFile(decoded.text, decoded.encoding) != bytes) std::abort();

    const EventList first = loadEventList(store);
    if (first.encoding != decoded.encoding) std::abort();
    const auto lines = eventFileLines(decoded.text);
    if (first.lines.size() != lines.size()) std::abort();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool event = first.lines[i].kind == EventLineKind::event;
        const std::string stored = (event ? "#" : "") + first.lines[i].text;
        if (stored != lines[i] || event != lines[i].starts_with('#')) std::abort();
    }
    if (!saveEventList(store, first.lines, first.encoding)) std::abort();
    const std::string saved = files.files[path];
    if (!saved.starts_with(mark)) std::abort();
    const EventList second = loadEventList(store);
    if (second.lines != first.lines || second.encoding != first.encoding ||
        !saveEventList(store, second.lines, second.encoding) || files.files[path] != saved)
        std::abort();
    return 0;
}
