#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/calendar_date.h"
#include "common/file_system.h"

namespace almanix {

// The user's cache folder, where each link's kept copy lives.
struct CacheFolder {
    std::string path; // "$XDG_CACHE_HOME/almanix" or "%LOCALAPPDATA%\Almanix"
    char separator = '/';

    std::string fileNamed(std::string_view name) const { return path + separator + std::string(name); }
};

// What Almanix keeps of one link between runs: its last good body, what the
// server said about it, and when to ask again.
struct KeptCopy {
    std::optional<std::string> body; // nothing before the first good answer
    std::optional<std::string> etag, lastModified;
    std::int64_t fetchedUtcSeconds = 0; // when the body came
    LocalDateTime fetchedLocal; // the same moment on the user's clock, for the state words
    std::int64_t nextAttemptUtcSeconds = 0;
    int serverRefusals = 0; // 429 and 5xx answers in a row, for the back-off
    std::string problem; // what went wrong at the last attempt; empty when it went well
};

// "link-" and 16 hex digits of the fetch address's hash: never the link itself.
std::string keptCopyStem(std::string_view link);

// The record as a file: "name: value" lines, an empty line, then the body.
std::string keptCopyText(const KeptCopy& copy);
// Nothing when the text is not a whole record.
std::optional<KeptCopy> parseKeptCopy(std::string_view text);

std::optional<KeptCopy> loadKeptCopy(FileSystem& files, const CacheFolder& cache, std::string_view link);
// Replaces the file atomically, making the cache folder first when needed.
bool storeKeptCopy(FileSystem& files, const CacheFolder& cache, std::string_view link, const KeptCopy& copy);

} // namespace almanix
