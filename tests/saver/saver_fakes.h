#pragma once

// Scripted stand-ins for the saver's shell: chance, drawing and picture loading.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "events/due_events.h"
#include "saver/due_check.h"
#include "saver/notice.h"
#include "saver/random_source.h"
#include "saver/slideshow.h"
#include "support/fakes.h"

namespace almanix::testing {

// Hands out the scripted draws in order; running out is a test failure.
class ScriptedRandom final : public RandomSource {
public:
    std::vector<float> draws;
    std::size_t used = 0;

    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : draws(values) {}

    void seed(std::uint32_t) override {}
    float next() override {
        if (used >= draws.size()) {
            ADD_FAILURE() << "more random draws than scripted (" << draws.size() << ")";
            return 0.0f;
        }
        return draws[used++];
    }
    bool allUsed() const { return used == draws.size(); }
};

// Text as fixed-width cells: 10 pixels a character, 20 a line.
class CellCanvas final : public NoticeCanvas {
public:
    struct Drawn {
        std::int32_t x, y;
        std::string line;
        Rgb colour;
    };
    ImageSize cleared{-1, -1};
    int clears = 0;
    std::vector<Drawn> drawn;

    std::int32_t textWidth(std::string_view line) override { return 10 * static_cast<std::int32_t>(line.size()); }
    std::int32_t lineHeight() override { return 20; }
    void clearImage(ImageSize size) override {
        cleared = size;
        ++clears;
        drawn.clear();
    }
    void drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) override {
        drawn.push_back({x, y, std::string(line), colour});
    }
};

// Gives its answers at once, or holds them until told to give them.
class DeferredAnswers {
public:
    bool answerAtOnce = true;
    std::deque<std::function<void()>> waiting; // answers not given yet, in order

    void answerWaiting() {
        while (!waiting.empty()) {
            const auto next = waiting.front();
            waiting.pop_front();
            next();
        }
    }

protected:
    void answer(std::function<void()> reply) {
        waiting.push_back(std::move(reply));
        if (answerAtOnce) answerWaiting();
    }
};

// Pictures by path: a size for each loadable one, first bytes from the files;
// some fail only when decoded.
class FakePictureLoader final : public PictureLoader, public DeferredAnswers {
public:
    explicit FakePictureLoader(MemoryFileSystem& files) : files_(files) {}

    std::map<std::string, ImageSize> sizes;
    std::set<std::string> undecodable;
    std::vector<ImageSize> shown; // every target shown
    std::string decoded, current; // the path decoded last; the one shown last

    void answerTo(PictureAnswers& answers) override { answers_ = &answers; }
    void inspect(const std::string& path, std::size_t firstBytes) override {
        PictureFacts facts;
        if (firstBytes > 0) facts.firstBytes = files_.readFirstBytes(path, firstBytes);
        if (const auto found = sizes.find(path); found != sizes.end()) facts.size = found->second;
        answer([this, facts] { answers_->pictureInspected(facts); });
    }
    void decode(const std::string& path, ImageSize) override {
        decoded = path;
        answer([this, path] { answers_->pictureDecoded(undecodable.count(path) == 0); });
    }
    void showDecoded(ImageSize target) override {
        current = decoded;
        shown.push_back(target);
    }

private:
    MemoryFileSystem& files_;
    PictureAnswers* answers_ = nullptr;
};

// Checks the fake system's event file.
class FakeDueCheck final : public DueCheck, public DeferredAnswers {
public:
    explicit FakeDueCheck(EventStore store) : store_(store) {}

    int asked = 0;

    void answerTo(DueCheckAnswers& answers) override { answers_ = &answers; }
    void check(std::int16_t daysBeforeEvent) override {
        ++asked;
        answer([this, daysBeforeEvent] { answers_->dueEventsChecked(checkDueEvents(store_, daysBeforeEvent)); });
    }

private:
    EventStore store_;
    DueCheckAnswers* answers_ = nullptr;
};

} // namespace almanix::testing
