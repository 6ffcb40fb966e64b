#include "win32/wic_picture_loader.h"

#include <condition_variable>
#include <cstring>
#include <deque>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "win32/win32_file_system.h"

namespace almanix {

namespace {

// The path in the system code page, as the program's other file calls take it.
std::wstring widePath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

constexpr UINT kLargestSide = static_cast<UINT>(std::numeric_limits<std::int32_t>::max());

// A decoder's own scaling while it decodes; the MinGW headers lack it.
struct IWICBitmapSourceTransform : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* area, UINT width, UINT height,
                                                 WICPixelFormatGUID* format, WICBitmapTransformOptions transform,
                                                 UINT stride, UINT bufferSize, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};
constexpr IID kBitmapSourceTransformId = {0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

// Opens the picture's first frame and reads its size; the frame stays empty on failure.
std::optional<ImageSize> openFrame(IWICImagingFactory* imaging, const std::string& path,
                                   ComPointer<IWICBitmapFrameDecode>& frame) {
    frame.reset();
    const std::wstring wide = widePath(path);
    if (!imaging || wide.empty()) return std::nullopt;
    ComPointer<IWICBitmapDecoder> decoder;
    // The decoder is chosen by the file's content, not by its name.
    if (FAILED(imaging->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())))
        return std::nullopt;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width > kLargestSide || height > kLargestSide) {
        frame.reset();
        return std::nullopt;
    }
    return ImageSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

// Bytes a pixel in the formats a decoder may pick for a reduced decode; 0 for others.
UINT bytesPerPixel(const WICPixelFormatGUID& format) {
    if (format == GUID_WICPixelFormat24bppBGR) return 3;
    if (format == GUID_WICPixelFormat32bppBGR || format == GUID_WICPixelFormat32bppBGRA ||
        format == GUID_WICPixelFormat32bppPBGRA)
        return 4;
    if (format == GUID_WICPixelFormat8bppGray) return 1;
    return 0;
}

// The frame decoded at the smallest size its decoder can make (a JPEG by
// halves, down to an eighth) that is still no smaller than wanted; nothing
// where the decoder cannot scale, or would not decode less.
bool decodeReduced(IWICImagingFactory* imaging, IWICBitmapFrameDecode* frame, ImageSize wanted,
                   ComPointer<IWICBitmap>& reduced) {
    ComPointer<IWICBitmapSourceTransform> transform;
    if (FAILED(frame->QueryInterface(kBitmapSourceTransformId, reinterpret_cast<void**>(transform.put()))))
        return false;
    UINT fullWidth = 0;
    UINT fullHeight = 0;
    UINT width = static_cast<UINT>(wanted.width);
    UINT height = static_cast<UINT>(wanted.height);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (FAILED(frame->GetSize(&fullWidth, &fullHeight)) || FAILED(transform->GetClosestSize(&width, &height)) ||
        width >= fullWidth || FAILED(transform->GetClosestPixelFormat(&format)) || bytesPerPixel(format) == 0)
        return false;
    const UINT stride = (width * bytesPerPixel(format) + 3) & ~3u;
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
    return SUCCEEDED(transform->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0, stride,
                                           static_cast<UINT>(pixels.size()), pixels.data())) &&
           SUCCEEDED(imaging->CreateBitmapFromMemory(width, height, format, stride, static_cast<UINT>(pixels.size()),
                                                     pixels.data(), reduced.put()));
}

} // namespace

PictureFacts inspectPicture(IWICImagingFactory* imaging, const std::string& path, std::size_t firstBytes) {
    PictureFacts facts;
    if (firstBytes > 0) facts.firstBytes = Win32FileSystem().readFirstBytes(path, firstBytes);
    ComPointer<IWICBitmapFrameDecode> frame;
    facts.size = openFrame(imaging, path, frame);
    return facts;
}

DecodedPicture decodePicture(IWICImagingFactory* imaging, const std::string& path, ImageSize size) {
    ComPointer<IWICBitmapFrameDecode> frame;
    if (size.width < 1 || size.height < 1 || !openFrame(imaging, path, frame)) return {};
    ComPointer<IWICBitmap> reduced;
    IWICBitmapSource* source = frame.get();
    if (decodeReduced(imaging, frame.get(), size, reduced)) source = reduced.get();
    ComPointer<IWICFormatConverter> converter;
    ComPointer<IWICBitmapScaler> scaler;
    // Premultiplied, so that transparent parts come out black, as on a picture box.
    const bool prepared =
        SUCCEEDED(imaging->CreateFormatConverter(converter.put())) &&
        SUCCEEDED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(imaging->CreateBitmapScaler(scaler.put())) &&
        // No smoothing, as a plain stretch of one picture box into another.
        SUCCEEDED(scaler->Initialize(converter.get(), static_cast<UINT>(size.width), static_cast<UINT>(size.height),
                                     WICBitmapInterpolationModeNearestNeighbor));
    if (!prepared) return {};
    DecodedPicture picture{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size.width) * size.height)};
    const UINT stride = static_cast<UINT>(size.width) * 4;
    auto* pixels = reinterpret_cast<BYTE*>(picture.pixels.data());
    // Row by row: asked for all rows at once, a scaler may first gather every
    // pixel of a large photograph.
    for (INT row = 0; row < size.height; ++row) {
        const WICRect line{0, row, size.width, 1};
        if (FAILED(scaler->CopyPixels(&line, stride, stride, pixels + static_cast<UINT>(row) * stride))) return {};
    }
    return picture;
}

// The requests and answers shared with the worker thread.
struct WicPictureLoader::Worker {
    struct Request {
        std::string path;
        std::size_t firstBytes = 0;
        std::optional<ImageSize> decodeSize; // nothing: inspect
    };
    struct Answer {
        std::optional<PictureFacts> facts; // nothing: a decode's answer
        DecodedPicture picture;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Request> requests;
    std::deque<Answer> answers;
    bool stopping = false;
    HWND window = nullptr;
    UINT message = 0;

    static void run(const std::shared_ptr<Worker>& worker);
    void ask(Request request) {
        {
            const std::lock_guard lock(mutex);
            requests.push_back(std::move(request));
        }
        wake.notify_one();
    }
};

void WicPictureLoader::Worker::run(const std::shared_ptr<Worker>& worker) {
    const bool apartment = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
        ComPointer<IWICImagingFactory> imaging;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(imaging.put()));
        for (;;) {
            Request request;
            {
                std::unique_lock lock(worker->mutex);
                worker->wake.wait(lock, [&] { return worker->stopping || !worker->requests.empty(); });
                if (worker->stopping) break;
                request = std::move(worker->requests.front());
                worker->requests.pop_front();
            }
            Answer answer;
            if (request.decodeSize)
                answer.picture = decodePicture(imaging.get(), request.path, *request.decodeSize);
            else
                answer.facts = inspectPicture(imaging.get(), request.path, request.firstBytes);
            HWND window = nullptr;
            UINT message = 0;
            {
                const std::lock_guard lock(worker->mutex);
                if (worker->stopping) break;
                worker->answers.push_back(std::move(answer));
                window = worker->window;
                message = worker->message;
            }
            if (window) PostMessageA(window, message, 0, 0);
        }
    }
    if (apartment) CoUninitialize();
}

WicPictureLoader::WicPictureLoader(GdiSceneImage& movingImage)
    : movingImage_(movingImage),
      worker_(std::make_shared<Worker>()) {
    std::thread(Worker::run, worker_).detach();
}

WicPictureLoader::~WicPictureLoader() {
    {
        const std::lock_guard lock(worker_->mutex);
        worker_->stopping = true;
    }
    worker_->wake.notify_one();
}

void WicPictureLoader::notifyWindow(HWND window, UINT message) {
    const std::lock_guard lock(worker_->mutex);
    worker_->window = window;
    worker_->message = message;
}

void WicPictureLoader::deliverAnswers() {
    for (;;) {
        Worker::Answer answer;
        {
            const std::lock_guard lock(worker_->mutex);
            if (worker_->answers.empty()) return;
            answer = std::move(worker_->answers.front());
            worker_->answers.pop_front();
        }
        if (answer.facts) {
            if (answers_) answers_->pictureInspected(*answer.facts);
            continue;
        }
        decoded_ = std::move(answer.picture);
        if (answers_) answers_->pictureDecoded(!decoded_.pixels.empty());
    }
}

void WicPictureLoader::inspect(const std::string& path, std::size_t firstBytes) {
    worker_->ask({path, firstBytes, std::nullopt});
}

void WicPictureLoader::decode(const std::string& path, ImageSize size) { worker_->ask({path, 0, size}); }

void WicPictureLoader::showDecoded(ImageSize target) {
    movingImage_.clearImage(target);
    std::uint32_t* pixels = movingImage_.pixels();
    const ImageSize from = decoded_.size;
    if (pixels && movingImage_.size() == target && !decoded_.pixels.empty()) {
        if (from == target) {
            std::memcpy(pixels, decoded_.pixels.data(), decoded_.pixels.size() * sizeof(std::uint32_t));
        } else {
            // A small picture may be shown doubled: pixel for pixel, as a plain stretch does.
            for (std::int32_t y = 0; y < target.height; ++y)
                for (std::int32_t x = 0; x < target.width; ++x)
                    pixels[static_cast<std::size_t>(y) * target.width + x] =
                        decoded_.pixels[static_cast<std::size_t>(y * from.height / target.height) * from.width +
                                        x * from.width / target.width];
        }
    }
    decoded_ = {};
}

} // namespace almanix
