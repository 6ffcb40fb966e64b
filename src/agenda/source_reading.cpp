#include "agenda/source_reading.h"

#include <algorithm>

#include "calendars/calendar_links.h"
#include "common/ascii_text.h"

namespace almanix {

namespace {

// As much as a link may bring: a file is no more trusted.
constexpr std::size_t kLargestCalendar = FetchLimits{}.bodyBytes;

std::string eventsText(std::size_t count) { return std::to_string(count) + (count == 1 ? " event" : " events"); }

bool isCalendarFileName(std::string_view name) {
    return name.size() > 4 && equalIgnoringCase(name.substr(name.size() - 4), ".ics");
}

// The file's text, up to the largest calendar; the words of why not otherwise.
struct FileText {
    std::optional<std::string> text;
    std::string problem;
};

FileText readCalendarFile(FileSystem& files, const std::string& path) {
    OpenedFile file = files.openForReading(path);
    switch (file.status) {
    case FileOpening::opened: break;
    case FileOpening::missing: return {std::nullopt, "not found"};
    case FileOpening::unreadable: return {std::nullopt, "cannot be read"};
    case FileOpening::notAFile: return {std::nullopt, "not a file"};
    }
    std::string text;
    char buffer[65536];
    while (true) {
        const auto count = file.reader->read(buffer, sizeof buffer);
        if (!count) return {std::nullopt, "cannot be read"};
        if (*count == 0) return {std::move(text), {}};
        if (text.size() + *count > kLargestCalendar) return {std::nullopt, "too large to be a calendar"};
        text.append(buffer, *count);
    }
}

SourceReading readFile(const std::string& path, SourceServices& services, const AgendaWindow& window) {
    FileText file = readCalendarFile(services.files, path);
    if (!file.text) return {false, 0, {}, file.problem};
    CalendarReading reading = readCalendar(*file.text, window, services.zones);
    if (!reading.understood) return {false, 0, {}, "not a calendar"};
    return {true, reading.eventCount, std::move(reading.items), eventsText(reading.eventCount)};
}

SourceReading readFolder(const std::string& folder, std::vector<std::string> names, SourceServices& services,
                         const AgendaWindow& window) {
    std::erase_if(names, [](const std::string& name) { return !isCalendarFileName(name); });
    std::sort(names.begin(), names.end());
    if (names.empty()) return {false, 0, {}, "no .ics file in it"};
    SourceReading folderReading{true, 0, {}, {}};
    std::size_t unread = 0;
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    const bool endsInSeparator = folder.back() == '/' || folder.back() == '\\';
    for (const std::string& name : names) {
        SourceReading file = readFile(endsInSeparator ? folder + name : folder + separator + name, services, window);
        if (!file.read) ++unread;
        folderReading.eventCount += file.eventCount;
        folderReading.items.insert(folderReading.items.end(), std::make_move_iterator(file.items.begin()),
                                   std::make_move_iterator(file.items.end()));
    }
    sortAgenda(folderReading.items);
    folderReading.read = unread < names.size();
    folderReading.state = eventsText(folderReading.eventCount) + " in " + std::to_string(names.size()) +
                          (names.size() == 1 ? " file" : " files");
    if (unread > 0) folderReading.state += ", " + std::to_string(unread) + " of them not read";
    return folderReading;
}

SourceReading readLinkSource(const std::string& link, SourceServices& services, const AgendaWindow& window,
                             const LinkMoment& now, LinkFetching fetching) {
    LinkReading fetched = readLink(link, services.fetcher, services.files, services.cache, now, fetching);
    if (!fetched.calendarText) return {false, 0, {}, fetched.state, fetched.serverDue};
    CalendarReading reading = readCalendar(*fetched.calendarText, window, services.zones);
    std::string state = eventsText(reading.eventCount);
    if (!fetched.state.empty()) state = fetched.state + " (" + state + ")";
    return {true, reading.eventCount, std::move(reading.items), std::move(state), fetched.serverDue};
}

} // namespace

SourceReading readSource(const std::string& source, SourceServices& services, const AgendaWindow& window,
                         const LinkMoment& now, LinkFetching fetching) {
    if (isLinkSource(source)) return readLinkSource(source, services, window, now, fetching);
    FolderListing listing = services.files.listFiles(source);
    if (listing.status == FolderStatus::listed)
        return readFolder(source, std::move(listing.fileNames), services, window);
    return readFile(source, services, window);
}

std::string displayNameOf(const std::string& source) {
    if (!isLinkSource(source)) return source;
    const std::size_t scheme = source.find("://");
    return source.substr(0, scheme + 3) + hostOf(source) + "/...";
}

} // namespace almanix
