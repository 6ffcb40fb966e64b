#include "win32/wic_picture_loader.h"

#include <limits>
#include <string>

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

} // namespace

IWICImagingFactory* WicPictureLoader::factory() {
    if (!factoryTried_) {
        factoryTried_ = true;
        // Also fine when the thread already has its apartment.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(factory_.put()));
    }
    return factory_.get();
}

std::optional<ImageSize> WicPictureLoader::loadPicture(const std::string& path) {
    picturePath_ = path;
    const auto size = openFrame();
    if (!size) picturePath_.clear();
    return size;
}

std::optional<ImageSize> WicPictureLoader::openFrame() {
    frame_.reset();
    IWICImagingFactory* imaging = factory();
    const std::wstring wide = widePath(picturePath_);
    if (!imaging || wide.empty()) return std::nullopt;
    ComPointer<IWICBitmapDecoder> decoder;
    // The decoder is chosen by the file's content, not by its name.
    if (FAILED(imaging->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame_.put())))
        return std::nullopt;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame_->GetSize(&width, &height)) || width > kLargestSide || height > kLargestSide) {
        frame_.reset();
        return std::nullopt;
    }
    return ImageSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

bool WicPictureLoader::stretchPicture(ImageSize target) {
    if (picturePath_.empty() || target.width < 1 || target.height < 1) return false;
    // The frame is let go after each stretch; a second one opens the file again.
    if (!frame_ && !openFrame()) return false;
    IWICImagingFactory* imaging = factory();
    ComPointer<IWICFormatConverter> converter;
    ComPointer<IWICBitmapScaler> scaler;
    // Premultiplied, so that transparent parts come out black, as on a picture box.
    const bool prepared =
        SUCCEEDED(imaging->CreateFormatConverter(converter.put())) &&
        SUCCEEDED(converter->Initialize(frame_.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                        nullptr, 0.0, WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(imaging->CreateBitmapScaler(scaler.put())) &&
        // No smoothing, as a plain stretch of one picture box into another.
        SUCCEEDED(scaler->Initialize(converter.get(), static_cast<UINT>(target.width),
                                     static_cast<UINT>(target.height), WICBitmapInterpolationModeNearestNeighbor));
    if (!prepared) {
        frame_.reset();
        return false;
    }
    movingImage_.clearImage(target);
    auto* pixels = reinterpret_cast<BYTE*>(movingImage_.pixels());
    bool copied = pixels && movingImage_.size() == target;
    const UINT stride = static_cast<UINT>(target.width) * 4;
    // Row by row: asked for all rows at once, a scaler may first gather every
    // pixel of a large photograph.
    for (INT row = 0; copied && row < target.height; ++row) {
        const WICRect line{0, row, target.width, 1};
        copied = SUCCEEDED(scaler->CopyPixels(&line, stride, stride, pixels + static_cast<UINT>(row) * stride));
    }
    frame_.reset();
    return copied;
}

} // namespace almanix
