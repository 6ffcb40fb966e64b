#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace almanix {

// What a start is asked to do; anything but these words asks for nothing.
enum class RunMode { fullScreen, preview, setup, passwordChange, daemonWindow, agenda, help, version, none };

// How a build reads its command line.
enum class CommandLineSyntax {
    modeWord, // the mode word alone, as Windows starts a screen saver
    modeWordAndOptions, // also the options of X11 saver daemons, --help and --version
};

// The argument text without surrounding spaces, in lower case, cut to two characters.
std::string modeWordOf(std::string_view argumentText);

RunMode runModeOf(std::string_view modeWord);

// The window handle that follows the mode word and one separator character:
// "/p 1234", "/p:1234" and "/p 0x4D2" all give 1234. Nothing when the text
// holds no number.
std::optional<std::int32_t> windowHandleOf(std::string_view argumentText);

// An X11 window id as saver daemons write it: decimal, or hexadecimal after 0x.
std::optional<std::uint32_t> windowIdOf(std::string_view text);

// What a start was given: the text after the program's path, as Windows gives
// it (the mode word and the preview's handle are read from it), and its words.
struct Arguments {
    // Words from the text: a word in double quotes keeps its spaces, without the quotes.
    Arguments(std::string_view argumentText);
    Arguments(const char* argumentText) : Arguments(std::string_view(argumentText)) {}
    // The words as a POSIX system gives them, whatever they hold; the text joins
    // them, a word with spaces in double quotes.
    static Arguments ofWords(std::vector<std::string> words);

    std::string text;
    std::vector<std::string> words;

private:
    Arguments() = default;
};

struct CommandLine {
    RunMode mode = RunMode::none;
    // The window -window-id names; nothing for -root, which draws where the
    // daemon says (XSCREENSAVER_WINDOW) or on the root window.
    std::optional<std::uint32_t> window{};
    // Settings for this run instead of the stored ones, within their ranges.
    std::optional<std::int16_t> moveSpeed{};
    std::optional<std::int16_t> daysBeforeEvent{};
    // Calendar sources for this run of the agenda, beside the stored ones.
    std::vector<std::string> calendars{};
    // What is wrong with the options, for one line on the error output; empty when nothing is.
    std::string error{};
};

// Options when the first word starts with a dash (one or two), the mode word
// otherwise; the mode word alone with CommandLineSyntax::modeWord, but for
// "/agenda", which takes options on both builds.
CommandLine readCommandLine(const Arguments& arguments, CommandLineSyntax syntax);

} // namespace almanix
