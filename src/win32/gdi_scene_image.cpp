#include "win32/gdi_scene_image.h"

#include <algorithm>
#include <string>

#include "win32/win32_text.h"

namespace almanix {

namespace {

// 15.75 points in hundredths, so that MulDiv rounds the pixel height once.
constexpr int kNoticeHundredthPoints = 1575;

HFONT createNoticeFont(HDC dc) {
    const int height = -MulDiv(kNoticeHundredthPoints, GetDeviceCaps(dc, LOGPIXELSY), 72 * 100);
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
}

} // namespace

GdiSceneImage::GdiSceneImage()
    : dc_(CreateCompatibleDC(nullptr)),
      font_(createNoticeFont(dc_)),
      originalFont_(SelectObject(dc_, font_)),
      originalBitmap_(GetCurrentObject(dc_, OBJ_BITMAP)) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    lineHeight_ = metrics.tmHeight;
    SetBkMode(dc_, TRANSPARENT);
}

GdiSceneImage::~GdiSceneImage() {
    SelectObject(dc_, originalFont_);
    SelectObject(dc_, originalBitmap_);
    if (bitmap_) DeleteObject(bitmap_);
    DeleteObject(font_);
    DeleteDC(dc_);
}

std::uint32_t* GdiSceneImage::pixels() {
    GdiFlush();
    return static_cast<std::uint32_t*>(bits_);
}

std::int32_t GdiSceneImage::textWidth(std::string_view line) {
    SIZE extent{};
    const std::wstring wide = shownTextOf(line);
    if (!wide.empty()) GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &extent);
    return extent.cx;
}

std::int32_t GdiSceneImage::lineHeight() { return lineHeight_; }

void GdiSceneImage::clearImage(ImageSize size) {
    if (size.width < 1 || size.height < 1) size = {};
    if (size != size_) {
        SelectObject(dc_, originalBitmap_);
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = nullptr;
        bits_ = nullptr;
        size_ = {};
        if (size.width > 0) {
            BITMAPINFO format{};
            format.bmiHeader.biSize = sizeof format.bmiHeader;
            format.bmiHeader.biWidth = size.width;
            format.bmiHeader.biHeight = -size.height; // top-down rows
            format.bmiHeader.biPlanes = 1;
            format.bmiHeader.biBitCount = 32;
            format.bmiHeader.biCompression = BI_RGB;
            bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits_, nullptr, 0);
            // Too big for memory: the image stays empty and nothing is copied.
            if (!bitmap_)
                bits_ = nullptr;
            else {
                SelectObject(dc_, bitmap_);
                size_ = size;
            }
        }
    }
    if (!bitmap_) return;
    const RECT whole{0, 0, size_.width, size_.height};
    FillRect(dc_, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void GdiSceneImage::drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) {
    if (!bitmap_ || line.empty()) return;
    SetTextColor(dc_, RGB(colour.red, colour.green, colour.blue));
    const std::wstring wide = shownTextOf(line);
    TextOutW(dc_, x, y, wide.data(), static_cast<int>(wide.size()));
}

} // namespace almanix
