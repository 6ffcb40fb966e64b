// Any command line gives a mode word of at most two lower-case characters, and
// a window handle that reads back the same when written as "/p <handle>".
#include <cstdlib>
#include <string>

#include "startup/command_line.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string word = modeWordOf(text);
    if (word.size() > 2 || word.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) std::abort();
    runModeOf(word);
    if (const auto handle = windowHandleOf(text)) {
        if (windowHandleOf("/p " + std::to_string(*handle)) != handle) std::abort();
    }
    return 0;
}
