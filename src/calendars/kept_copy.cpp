#include "calendars/kept_copy.h"

#include <cstdio>

#include "calendars/calendar_links.h"
#include "common/ascii_text.h"

namespace almanix {

namespace {

constexpr std::string_view kFirstLine = "almanix kept copy 1";
constexpr std::size_t kNumberDigits = 18;

// A server's header value that could break the record's lines is not kept.
bool fitsOnALine(std::string_view value) { return value.find_first_of(std::string_view("\r\n\0", 3)) == value.npos; }

void addField(std::string& text, std::string_view name, std::string_view value) {
    text.append(name).append(": ").append(value).append("\n");
}

// "2026-12-05 14:02:07"
std::string localText(const LocalDateTime& moment) {
    return std::to_string(moment.date.year) + '-' + twoDigits(moment.date.month) + '-' + twoDigits(moment.date.day) +
           ' ' + twoDigits(moment.hour) + ':' + twoDigits(moment.minute) + ':' + twoDigits(moment.second);
}

std::optional<LocalDateTime> parseLocal(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto year = numberOfDigits(text.substr(0, 4), 4), month = numberOfDigits(text.substr(5, 2), 2),
               day = numberOfDigits(text.substr(8, 2), 2), hour = numberOfDigits(text.substr(11, 2), 2),
               minute = numberOfDigits(text.substr(14, 2), 2), second = numberOfDigits(text.substr(17, 2), 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    return LocalDateTime{{static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)},
                         static_cast<int>(*hour),
                         static_cast<int>(*minute),
                         static_cast<int>(*second)};
}

} // namespace

std::string keptCopyStem(std::string_view link) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(fnv1a64(fetchAddressOf(link))));
    return "link-" + std::string(digits);
}

std::string keptCopyText(const KeptCopy& copy) {
    std::string text(kFirstLine);
    text += '\n';
    if (copy.body)
        addField(text, "fetched", std::to_string(copy.fetchedUtcSeconds) + ' ' + localText(copy.fetchedLocal));
    if (copy.etag && fitsOnALine(*copy.etag)) addField(text, "etag", *copy.etag);
    if (copy.lastModified && fitsOnALine(*copy.lastModified)) addField(text, "last-modified", *copy.lastModified);
    addField(text, "next-attempt", std::to_string(copy.nextAttemptUtcSeconds));
    addField(text, "server-refusals", std::to_string(copy.serverRefusals));
    if (!copy.problem.empty()) addField(text, "problem", copy.problem);
    if (copy.body) addField(text, "body", std::to_string(copy.body->size()));
    text += '\n';
    if (copy.body) text += *copy.body;
    return text;
}

std::optional<KeptCopy> parseKeptCopy(std::string_view text) {
    const auto takeLine = [&text]() -> std::optional<std::string_view> {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        return line;
    };
    if (takeLine() != kFirstLine) return std::nullopt;
    KeptCopy copy;
    std::optional<std::int64_t> bodySize;
    for (auto line = takeLine(); line && !line->empty(); line = takeLine()) {
        const std::size_t colon = line->find(": ");
        if (colon == std::string_view::npos) return std::nullopt;
        const std::string_view name = line->substr(0, colon), value = line->substr(colon + 2);
        bool understood = true;
        if (name == "fetched") {
            const std::size_t space = value.find(' ');
            const auto seconds = numberOfDigits(value.substr(0, space), kNumberDigits);
            const auto local = parseLocal(value.substr(space == value.npos ? value.size() : space + 1));
            understood = seconds && local;
            if (understood) {
                copy.fetchedUtcSeconds = *seconds;
                copy.fetchedLocal = *local;
            }
        } else if (name == "etag") {
            copy.etag = std::string(value);
        } else if (name == "last-modified") {
            copy.lastModified = std::string(value);
        } else if (name == "next-attempt") {
            const auto seconds = numberOfDigits(value, kNumberDigits);
            understood = seconds.has_value();
            copy.nextAttemptUtcSeconds = seconds.value_or(0);
        } else if (name == "server-refusals") {
            const auto count = numberOfDigits(value, 3);
            understood = count.has_value();
            copy.serverRefusals = static_cast<int>(count.value_or(0));
        } else if (name == "problem") {
            copy.problem = std::string(value);
        } else if (name == "body") {
            bodySize = numberOfDigits(value, kNumberDigits);
            understood = bodySize.has_value();
        } // other names come from a later version and are passed over
        if (!understood) return std::nullopt;
    }
    if (bodySize) {
        if (static_cast<std::size_t>(*bodySize) != text.size()) return std::nullopt;
        copy.body = std::string(text);
    } else if (!text.empty()) {
        return std::nullopt;
    }
    return copy;
}

std::optional<KeptCopy> loadKeptCopy(FileSystem& files, const CacheFolder& cache, std::string_view link) {
    const auto text = files.readWholeFile(cache.fileNamed(keptCopyStem(link) + ".kept"));
    if (!text) return std::nullopt;
    return parseKeptCopy(*text);
}

bool storeKeptCopy(FileSystem& files, const CacheFolder& cache, std::string_view link, const KeptCopy& copy) {
    if (!files.createFolders(cache.path)) return false;
    const std::string stem = keptCopyStem(link);
    // Each writer's temporary file has a name of its own; the last rename wins whole.
    return files.replaceFile(cache.fileNamed(stem + ".kept"), cache.fileNamed(stem + ".tmp"), keptCopyText(copy));
}

} // namespace almanix
