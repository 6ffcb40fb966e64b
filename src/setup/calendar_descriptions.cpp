#include "setup/calendar_descriptions.h"

#include <algorithm>
#include <cctype>

namespace almanix {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool isCalendarFileName(std::string_view name) {
    return name.size() > 4 && startsWithIgnoringCase(name.substr(name.size() - 4), ".ics");
}

} // namespace

std::string FileCalendarDescriptions::listText(const std::string& source) {
    for (std::string_view scheme : {"https://", "http://", "webcal://"}) {
        if (!startsWithIgnoringCase(source, scheme)) continue;
        const std::string_view rest = std::string_view(source).substr(scheme.size());
        return std::string(scheme) + std::string(rest.substr(0, rest.find_first_of("/?#"))) + "/...  (a link)";
    }
    const FolderListing listing = files_.listFiles(source);
    if (listing.status == FolderStatus::listed) {
        const auto count = std::count_if(listing.fileNames.begin(), listing.fileNames.end(),
                                         [](const std::string& name) { return isCalendarFileName(name); });
        return source + "  (a folder of " + std::to_string(count) +
               (count == 1 ? " calendar file)" : " calendar files)");
    }
    switch (files_.openForReading(source).status) {
    case FileOpening::opened: return source + "  (a calendar file)";
    case FileOpening::missing: return source + "  (not found)";
    case FileOpening::unreadable:
    case FileOpening::notAFile: break;
    }
    return source + "  (cannot be read)";
}

} // namespace almanix
