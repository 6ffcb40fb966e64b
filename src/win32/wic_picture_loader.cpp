#include "win32/wic_picture_loader.h"

#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "saver/picture_files.h"
#include "saver/picture_orientation.h"
#include "win32/win32_text.h"

namespace almanix {

namespace {

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

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// The first frame of a picture file, open, and what its header tells.
struct OpenedPicture {
    OwnedHandle file;
    std::string firstBytes; // as many as a JPEG's header may need
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    ImageSize stored; // as the pixels are stored, before the picture is turned upright
    Orientation orientation = Orientation::upright;
    bool wholeFrameHeld = true; // the decoder holds the whole frame, whatever it is asked for
};

// The file open for reading when it is a file on a disk: a pipe, which a
// reader could wait on for good, or a device is refused.
OwnedHandle openPictureFile(const std::string& path) {
    const std::wstring wide = wideOf(path);
    if (wide.empty()) return nullptr;
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    OwnedHandle owned(file);
    if (GetFileType(file) != FILE_TYPE_DISK) return nullptr;
    return owned;
}

// Up to count bytes from the file's start, which it is left at; nothing when it cannot be read.
std::optional<std::string> firstBytesOf(HANDLE file, std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(count - done), &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return std::nullopt;
    return bytes;
}

// The orientation the decoder's metadata gives, where it has any.
std::optional<Orientation> metadataOrientation(IWICBitmapFrameDecode* frame) {
    ComPointer<IWICMetadataQueryReader> metadata;
    if (FAILED(frame->GetMetadataQueryReader(metadata.put()))) return std::nullopt;
    PROPVARIANT value;
    PropVariantInit(&value);
    std::optional<Orientation> orientation;
    if (SUCCEEDED(metadata->GetMetadataByName(L"/app1/ifd/{ushort=274}", &value)) && value.vt == VT_UI2 &&
        value.uiVal >= 1 && value.uiVal <= 8)
        orientation = static_cast<Orientation>(value.uiVal - 1);
    PropVariantClear(&value);
    return orientation;
}

// Opens the picture's first frame and reads what its header tells; false on failure.
bool openPicture(IWICImagingFactory* imaging, const std::string& path, OpenedPicture& picture) {
    picture.file = openPictureFile(path);
    if (!imaging || !picture.file) return false;
    const auto firstBytes = firstBytesOf(picture.file.get(), kJpegHeaderBytes);
    if (!firstBytes) return false;
    picture.firstBytes = *firstBytes;
    const bool jpeg = pictureKindOf(picture.firstBytes) == PictureKind::jpeg;
    const JpegHeader header = jpeg ? jpegHeaderOf(picture.firstBytes) : JpegHeader{};
    if (wholeFramePassesBudget(header)) return false;
    UINT width = 0;
    UINT height = 0;
    // The decoder is chosen by the file's content, not by its name.
    if (FAILED(imaging->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(picture.file.get()), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, picture.decoder.put())) ||
        FAILED(picture.decoder->GetFrame(0, picture.frame.put())) || FAILED(picture.frame->GetSize(&width, &height)) ||
        width > kLargestSide || height > kLargestSide)
        return false;
    picture.stored = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    // Where the decoder keeps no metadata (Wine's JPEG decoder), the photo's own header tells.
    picture.orientation = metadataOrientation(picture.frame.get()).value_or(header.orientation);
    picture.wholeFrameHeld = header.wholeFrameHeld;
    return true;
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

// The decoder's own scaling, where it has one.
bool scalingOf(IWICBitmapFrameDecode* frame, ComPointer<IWICBitmapSourceTransform>& transform) {
    return SUCCEEDED(frame->QueryInterface(kBitmapSourceTransformId, reinterpret_cast<void**>(transform.put())));
}

// The smallest size the decoder's own scaling makes (a JPEG by halves, down to
// an eighth) that is still no smaller than wanted; nothing where it cannot scale.
std::optional<ImageSize> reducedSize(IWICBitmapFrameDecode* frame, ImageSize stored, ImageSize wanted) {
    ComPointer<IWICBitmapSourceTransform> transform;
    UINT width = static_cast<UINT>(wanted.width);
    UINT height = static_cast<UINT>(wanted.height);
    if (!scalingOf(frame, transform) || FAILED(transform->GetClosestSize(&width, &height)) ||
        width >= static_cast<UINT>(stored.width) || height > static_cast<UINT>(stored.height))
        return std::nullopt;
    return ImageSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

// The frame decoded at the reduced size by the decoder's own scaling.
bool decodeReduced(IWICImagingFactory* imaging, IWICBitmapFrameDecode* frame, ImageSize size,
                   ComPointer<IWICBitmap>& reduced) {
    ComPointer<IWICBitmapSourceTransform> transform;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (!scalingOf(frame, transform) || FAILED(transform->GetClosestPixelFormat(&format)) || bytesPerPixel(format) == 0)
        return false;
    const UINT width = static_cast<UINT>(size.width);
    const UINT height = static_cast<UINT>(size.height);
    const UINT stride = (width * bytesPerPixel(format) + 3) & ~3u;
    std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
    return SUCCEEDED(transform->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0, stride,
                                           static_cast<UINT>(pixels.size()), pixels.data())) &&
           SUCCEEDED(imaging->CreateBitmapFromMemory(width, height, format, stride, static_cast<UINT>(pixels.size()),
                                                     pixels.data(), reduced.put()));
}

// A COM apartment for the worker's job, and the imaging factory in it.
class ImagingOnThisThread {
public:
    ImagingOnThisThread() : apartment_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(imaging_.put()));
    }
    ~ImagingOnThisThread() {
        imaging_.reset();
        if (apartment_) CoUninitialize();
    }
    ImagingOnThisThread(const ImagingOnThisThread&) = delete;
    ImagingOnThisThread& operator=(const ImagingOnThisThread&) = delete;

    IWICImagingFactory* imaging() const { return imaging_.get(); }

private:
    bool apartment_;
    ComPointer<IWICImagingFactory> imaging_;
};

} // namespace

PictureFacts inspectPicture(IWICImagingFactory* imaging, const std::string& path, std::size_t firstBytes) {
    PictureFacts facts;
    OpenedPicture picture;
    const bool opened = openPicture(imaging, path, picture);
    if (firstBytes > 0 && picture.file && !picture.firstBytes.empty())
        facts.firstBytes = picture.firstBytes.substr(0, firstBytes);
    else if (firstBytes > 0 && picture.file)
        facts.firstBytes = firstBytesOf(picture.file.get(), firstBytes);
    if (opened) facts.size = uprightSize(picture.stored, picture.orientation);
    return facts;
}

DecodedPicture decodePicture(IWICImagingFactory* imaging, const std::string& path, ImageSize size) {
    OpenedPicture picture;
    if (size.width < 1 || size.height < 1 || !openPicture(imaging, path, picture)) return {};
    // A quarter turn swaps the sides: the stored picture is scaled to the size turned back.
    const ImageSize scaled = uprightSize(size, picture.orientation);
    const std::optional<ImageSize> reduced =
        picture.wholeFrameHeld ? std::nullopt : reducedSize(picture.frame.get(), picture.stored, scaled);
    // A few bytes may claim a picture of billions of pixels: refused before any is made.
    if (!fitsDecodeBudget(reduced.value_or(picture.stored))) return {};
    ComPointer<IWICBitmap> reducedPicture;
    IWICBitmapSource* source = picture.frame.get();
    if (reduced && decodeReduced(imaging, picture.frame.get(), *reduced, reducedPicture)) source = reducedPicture.get();
    ComPointer<IWICFormatConverter> converter;
    ComPointer<IWICBitmapScaler> scaler;
    // Premultiplied, so that transparent parts come out black, as on a picture box.
    const bool prepared =
        SUCCEEDED(imaging->CreateFormatConverter(converter.put())) &&
        SUCCEEDED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(imaging->CreateBitmapScaler(scaler.put())) &&
        // No smoothing, as a plain stretch of one picture box into another.
        SUCCEEDED(scaler->Initialize(converter.get(), static_cast<UINT>(scaled.width), static_cast<UINT>(scaled.height),
                                     WICBitmapInterpolationModeNearestNeighbor));
    if (!prepared) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(scaled.width) * static_cast<std::size_t>(scaled.height));
    const UINT stride = static_cast<UINT>(scaled.width) * 4;
    auto* bytes = reinterpret_cast<BYTE*>(pixels.data());
    // Row by row: asked for all rows at once, a scaler may first gather every
    // pixel of a large photograph.
    for (INT row = 0; row < scaled.height; ++row) {
        const WICRect line{0, row, scaled.width, 1};
        if (FAILED(scaler->CopyPixels(&line, stride, stride, bytes + static_cast<UINT>(row) * stride))) return {};
    }
    if (picture.orientation == Orientation::upright) return {size, std::move(pixels)};
    return {size, uprightPixels(pixels, scaled, picture.orientation)};
}

WicPictureLoader::WicPictureLoader(GdiSceneImage& movingImage)
    : movingImage_(movingImage),
      worker_([this](DetachedWorker::Answer answer) { keep(std::move(answer)); }) {}

void WicPictureLoader::keep(DetachedWorker::Answer answer) {
    const std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(answer));
    if (window_) PostMessageA(window_, message_, 0, 0);
}

void WicPictureLoader::notifyWindow(HWND window, UINT message) {
    const std::lock_guard lock(mutex_);
    window_ = window;
    message_ = message;
}

void WicPictureLoader::deliverAnswers() {
    for (;;) {
        DetachedWorker::Answer answer;
        {
            const std::lock_guard lock(mutex_);
            if (waiting_.empty()) return;
            answer = std::move(waiting_.front());
            waiting_.pop_front();
        }
        answer();
    }
}

void WicPictureLoader::inspect(const std::string& path, std::size_t firstBytes) {
    worker_.post([this, path, firstBytes]() -> DetachedWorker::Answer {
        const ImagingOnThisThread thread;
        return [this, facts = inspectPicture(thread.imaging(), path, firstBytes)] {
            if (answers_) answers_->pictureInspected(facts);
        };
    });
}

void WicPictureLoader::decode(const std::string& path, ImageSize size) {
    worker_.post([this, path, size]() -> DetachedWorker::Answer {
        const ImagingOnThisThread thread;
        return [this, picture = decodePicture(thread.imaging(), path, size)] {
            decoded_ = picture;
            if (answers_) answers_->pictureDecoded(!decoded_.pixels.empty());
        };
    });
}

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
