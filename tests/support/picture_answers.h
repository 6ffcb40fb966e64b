#pragma once

#include <optional>

#include "saver/slideshow.h"

namespace almanix::testing {

// Takes what a shell's picture loader answers.
struct RecordedAnswers final : PictureAnswers {
    std::optional<PictureFacts> facts;
    std::optional<bool> decoded;
    void pictureInspected(const PictureFacts& found) override { facts = found; }
    void pictureDecoded(bool done) override { decoded = done; }
};

} // namespace almanix::testing
