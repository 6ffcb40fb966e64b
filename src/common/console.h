#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace almanix {

// The terminal, or the log of the program that started this one. Starts that
// run behind a saver daemon report here, since a message box there would wait
// for an answer that nobody can give.
class Console {
public:
    virtual ~Console() = default;
    // Text for standard output, as it stands.
    virtual void write(std::string_view text) = 0;
    // One line on the error output, after the program's name.
    virtual void writeError(std::string_view line) = 0;
};

class StandardConsole final : public Console {
public:
    void write(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    }
    void writeError(std::string_view line) override {
        const std::string whole = "almanix: " + std::string(line) + "\n";
        std::fwrite(whole.data(), 1, whole.size(), stderr);
        std::fflush(stderr);
    }
};

} // namespace almanix
