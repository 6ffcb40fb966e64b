#pragma once

#include <windows.h>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>
#include <wincodec.h>

#include "common/detached_worker.h"
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
// The path is UTF-8, so that a name in any script opens; only a file on a
// disk is read, never a pipe or a device.
// The file's first bytes (when asked for) and its size standing upright.
PictureFacts inspectPicture(IWICImagingFactory* imaging, const std::string& path, std::size_t firstBytes);
// The picture upright at this size, opaque on black; no pixels when it cannot
// be decoded, or its decoder would need more than the budget. The decoder
// makes no more pixels than it must: its own scaling where it has one.
DecodedPicture decodePicture(IWICImagingFactory* imaging, const std::string& path, ImageSize size);

// Pictures through the Windows Imaging Component, read and decoded on a worker
// thread, one request after another. The worker posts a message to the window
// it was given when answers wait; the window then hands them on with
// deliverAnswers.
class WicPictureLoader final : public PictureLoader {
public:
    explicit WicPictureLoader(GdiSceneImage& movingImage);
    // Answers not yet given are dropped; a read under way is not waited for.
    ~WicPictureLoader() override = default;
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
    // Runs on the worker: keeps the answer and tells the window.
    void keep(DetachedWorker::Answer answer);

    GdiSceneImage& movingImage_;
    PictureAnswers* answers_ = nullptr;
    DecodedPicture decoded_;
    std::mutex mutex_; // guards the rest, which the worker reaches too
    std::deque<DetachedWorker::Answer> waiting_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    DetachedWorker worker_; // last, so that it goes first
};

} // namespace almanix
