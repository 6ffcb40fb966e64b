#pragma once

#include <windows.h>
#include <cstdint>

#include "saver/notice.h"

namespace almanix {

// The moving image (Pic): a memory device context holding a 32-bit top-down
// DIB section, with the notice font, bold Arial 15.75 pt, selected into it.
class GdiSceneImage final : public NoticeCanvas {
public:
    GdiSceneImage();
    ~GdiSceneImage() override;
    GdiSceneImage(const GdiSceneImage&) = delete;
    GdiSceneImage& operator=(const GdiSceneImage&) = delete;

    HDC dc() const { return dc_; }
    ImageSize size() const { return size_; }
    // The pixels, blue-green-red-unused, row after row from the top; null for
    // an image without pixels. GDI has finished drawing into them.
    std::uint32_t* pixels();

    std::int32_t textWidth(std::string_view line) override;
    std::int32_t lineHeight() override;
    void clearImage(ImageSize size) override;
    void drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) override;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ originalFont_;
    HGDIOBJ originalBitmap_;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
    ImageSize size_;
    std::int32_t lineHeight_ = 0;
};

} // namespace almanix
