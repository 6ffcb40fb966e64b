#pragma once

// What every shell's notice canvas must do with the notice font.

#include <gtest/gtest.h>

#include <string>

#include "saver/notice.h"

namespace almanix::testing {

inline const std::string kNoticeItem = "12/6/2026 Sunday Meeting";
inline const std::string kLongerNoticeItem = "12/7/2026 Monday A much longer line of text";

struct NoticeBlock {
    std::int32_t lineHeight;
    ImageSize size;
};

// A due-events text starts with CR LF, so its notice has an empty first line;
// the block is as tall as all its lines and as wide as its widest.
inline NoticeBlock expectNoticeBlock(NoticeCanvas& canvas) {
    const std::int32_t line = canvas.lineHeight();
    EXPECT_GE(line, 21); // 15.75 points are 21 pixels at 96 dots per inch
    EXPECT_LE(line, 30);
    const ImageSize size = measureNotice(canvas, {"", kNoticeItem, kLongerNoticeItem});
    EXPECT_EQ(size.height, 3 * line);
    EXPECT_EQ(size.width, canvas.textWidth(kLongerNoticeItem));
    EXPECT_GT(size.width, canvas.textWidth(kNoticeItem));
    return {line, size};
}

} // namespace almanix::testing
