#pragma once

#include <wincodec.h>
#include <windows.h>

#include "saver/slideshow.h"
#include "win32/gdi_scene_image.h"

namespace almanix {

// Holds one COM interface and releases it.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For a call that hands out a new interface; the old one is released first.
    Interface** put() {
        reset();
        return &pointer_;
    }
    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

// Pictures through the Windows Imaging Component: the file is opened and its
// size read first; the pixels are decoded only when the picture is stretched
// into the moving image.
class WicPictureLoader final : public PictureLoader {
public:
    explicit WicPictureLoader(GdiSceneImage& movingImage) : movingImage_(movingImage) {}

    std::optional<ImageSize> loadPicture(const std::string& path) override;
    bool stretchPicture(ImageSize target) override;

private:
    // The imaging factory, made at first use; null where there is none.
    IWICImagingFactory* factory();

    GdiSceneImage& movingImage_;
    ComPointer<IWICImagingFactory> factory_;
    bool factoryTried_ = false;
    // Opens the picture's first frame and reads its size; frame_ stays empty on failure.
    std::optional<ImageSize> openFrame();

    std::string picturePath_; // of the last picture loaded; empty when it could not be
    ComPointer<IWICBitmapFrameDecode> frame_;
};

} // namespace almanix
