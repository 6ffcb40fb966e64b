#pragma once

#include <windows.h>
#include <cstdint>
#include <memory>
#include <vector>
#include <wincodec.h>

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

// A picture decoded to a size: 32-bit pixels, blue-green-red-unused, in rows
// from the top; no pixels when it could not be decoded.
struct DecodedPicture {
    ImageSize size;
    std::vector<std::uint32_t> pixels;
};

// The work done on the worker, with an imaging factory of the calling thread.
// The file's first bytes (when asked for) and its picture size.
PictureFacts inspectPicture(IWICImagingFactory* imaging, const std::string& path, std::size_t firstBytes);
// The picture decoded to this size, opaque on black.
DecodedPicture decodePicture(IWICImagingFactory* imaging, const std::string& path, ImageSize size);

// Pictures through the Windows Imaging Component, read and decoded on a worker
// thread in a COM apartment of its own, one request after another. The worker
// posts a message to the window it was given when answers wait; the window
// then hands them on with deliverAnswers.
class WicPictureLoader final : public PictureLoader {
public:
    explicit WicPictureLoader(GdiSceneImage& movingImage);
    // A decode under way finishes on its own, unanswered; the process may end first.
    ~WicPictureLoader() override;
    WicPictureLoader(const WicPictureLoader&) = delete;
    WicPictureLoader& operator=(const WicPictureLoader&) = delete;

    // Where the worker posts the message; none when the window is null.
    void notifyWindow(HWND window, UINT message);
    // Hands the waiting answers on, on the saver's thread.
    void deliverAnswers();

    void answerTo(PictureAnswers& answers) override { answers_ = &answers; }
    void inspect(const std::string& path, std::size_t firstBytes) override;
    void decode(const std::string& path, ImageSize size) override;
    void showDecoded(ImageSize target) override;

private:
    struct Worker;

    GdiSceneImage& movingImage_;
    std::shared_ptr<Worker> worker_; // shared with the thread, which may outlive this
    PictureAnswers* answers_ = nullptr;
    DecodedPicture decoded_;
};

} // namespace almanix
