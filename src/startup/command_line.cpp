#include "startup/command_line.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "common/ascii_text.h"
#include "settings/numeric_text.h"
#include "settings/settings_store.h"

namespace almanix {

namespace {

template <typename Number>
std::optional<Number> wholeNumber(std::string_view text, int base) {
    Number number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return number;
}

std::optional<std::string_view> hexadecimalDigits(std::string_view text) {
    if (!text.starts_with("0x") && !text.starts_with("0X")) return std::nullopt;
    return text.substr(2);
}

// Appended piece by piece: GCC's -O3 sees overlaps in chains of string + string.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

enum class Option { root, windowId, moveSpeed, daysBefore, calendar, agenda, help, version, unknown };

// The option a word names, with one dash or two.
Option optionOf(std::string_view word) {
    if (!word.starts_with('-')) return Option::unknown;
    word.remove_prefix(word.starts_with("--") ? 2 : 1);
    if (word == "root") return Option::root;
    if (word == "window-id") return Option::windowId;
    if (word == "move-speed") return Option::moveSpeed;
    if (word == "days-before") return Option::daysBefore;
    if (word == "calendar") return Option::calendar;
    if (word == "agenda") return Option::agenda;
    if (word == "help") return Option::help;
    if (word == "version") return Option::version;
    return Option::unknown;
}

// The words of the text between spaces; a word in double quotes keeps its
// spaces, without the quotes.
std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    while (!(text = withoutSpaceAround(text, " ")).empty()) {
        if (text.front() == '"') {
            const std::size_t end = std::min(text.find('"', 1), text.size());
            words.emplace_back(text.substr(1, end - 1));
            text.remove_prefix(std::min(end + 1, text.size()));
            continue;
        }
        const std::size_t end = std::min(text.find(' '), text.size());
        words.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return words;
}

// A setting's value by the rule of the dialogs' number boxes, brought into its
// range as the stored settings are.
std::optional<std::int16_t> settingOf(std::string_view text, std::int16_t lowest, std::int16_t highest) {
    const auto number = wholeNumberOf(text);
    if (!number) return std::nullopt;
    return std::clamp(*number, lowest, highest);
}

CommandLine readOptions(std::span<const std::string> words, bool agenda) {
    CommandLine line;
    bool drawingWindowGiven = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const Option option = optionOf(word);
        if (option == Option::help || option == Option::version) {
            return {.mode = option == Option::help ? RunMode::help : RunMode::version};
        }
        if (option == Option::unknown) {
            line.error = joined({"unknown option \"", word, "\" (try --help)"});
            return line;
        }
        if (option == Option::agenda) {
            agenda = true;
            continue;
        }
        if (option == Option::root) {
            drawingWindowGiven = true;
            continue;
        }
        if (i + 1 == words.size()) {
            line.error = joined({word, " needs a value"});
            return line;
        }
        const std::string_view value = words[++i];
        if (option == Option::calendar) {
            line.calendars.emplace_back(value);
        } else if (option == Option::windowId) {
            line.window = windowIdOf(value);
            drawingWindowGiven = true;
            if (!line.window) line.error = joined({"\"", value, "\" is not a window id"});
        } else {
            const bool speed = option == Option::moveSpeed;
            const std::int16_t lowest = speed ? kMoveSpeedLowest : kDaysBeforeEventLowest;
            const std::int16_t highest = speed ? kMoveSpeedHighest : kDaysBeforeEventHighest;
            std::optional<std::int16_t>& setting = speed ? line.moveSpeed : line.daysBeforeEvent;
            setting = settingOf(value, lowest, highest);
            if (!setting)
                line.error = joined({word, " wants a number (", std::to_string(lowest), " to ", std::to_string(highest),
                                     "), not \"", value, "\""});
        }
        if (!line.error.empty()) return line;
    }
    if (agenda) {
        // The agenda draws nothing and moves nothing.
        if (drawingWindowGiven || line.moveSpeed)
            line.error = "--agenda takes -days-before and -calendar only (try --help)";
        else
            line.mode = RunMode::agenda;
        return line;
    }
    if (!line.calendars.empty()) {
        line.error = "-calendar goes with --agenda (try --help)";
        return line;
    }
    // Without a window to draw in there is nothing to run; full screen is /s.
    if (!drawingWindowGiven)
        line.error = "say where to draw: -root or -window-id (try --help)";
    else
        line.mode = RunMode::daemonWindow;
    return line;
}

} // namespace

std::string modeWordOf(std::string_view argumentText) {
    return lowerCaseAscii(withoutSpaceAround(argumentText, " ").substr(0, 2));
}

RunMode runModeOf(std::string_view modeWord) {
    if (modeWord.empty() || modeWord == "/s") return RunMode::fullScreen;
    if (modeWord == "/p") return RunMode::preview;
    if (modeWord == "/c") return RunMode::setup;
    if (modeWord == "/a") return RunMode::passwordChange;
    return RunMode::none;
}

std::optional<std::int32_t> windowHandleOf(std::string_view argumentText) {
    if (argumentText.size() < 3) return std::nullopt;
    std::string_view number = withoutSpaceAround(argumentText.substr(3), " ");
    // X11 saver daemons write window ids in hexadecimal; the handle keeps their bits.
    if (const auto digits = hexadecimalDigits(number)) {
        const auto id = wholeNumber<std::uint32_t>(*digits, 16);
        if (!id) return std::nullopt;
        return static_cast<std::int32_t>(*id);
    }
    if (number.starts_with('+') && !number.substr(1).starts_with('-')) number.remove_prefix(1);
    return wholeNumber<std::int32_t>(number, 10);
}

std::optional<std::uint32_t> windowIdOf(std::string_view text) {
    if (const auto digits = hexadecimalDigits(text)) return wholeNumber<std::uint32_t>(*digits, 16);
    return wholeNumber<std::uint32_t>(text, 10);
}

Arguments::Arguments(std::string_view argumentText) : text(argumentText), words(wordsOf(argumentText)) {}

Arguments Arguments::ofWords(std::vector<std::string> words) {
    Arguments arguments;
    for (const std::string& word : words) {
        if (!arguments.text.empty()) arguments.text += ' ';
        arguments.text += word.find(' ') == std::string::npos ? word : '"' + word + '"';
    }
    arguments.words = std::move(words);
    return arguments;
}

CommandLine readCommandLine(const Arguments& arguments, CommandLineSyntax syntax) {
    const std::span<const std::string> words = arguments.words;
    // Windows starts a screen saver by its mode word alone, but the agenda takes options on both builds.
    if (!words.empty() && equalIgnoringCase(words.front(), "/agenda")) return readOptions(words.subspan(1), true);
    // A word with a dash is an option, and one typed wrong is said, not passed over.
    if (syntax == CommandLineSyntax::modeWordAndOptions && !words.empty() && words.front().starts_with('-'))
        return readOptions(words, false);
    return {.mode = runModeOf(modeWordOf(arguments.text))};
}

} // namespace almanix
