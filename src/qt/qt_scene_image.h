#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <memory>

#include "saver/notice.h"
#include "saver/slideshow.h"

namespace almanix {

// The moving image (Pic) and the picture loading behind it (Pic2), in Qt.
class QtSceneImage final : public NoticeCanvas, public PictureLoader {
public:
    // The notice font is sized for a screen of this many dots per inch.
    explicit QtSceneImage(double dotsPerInch);

    const QImage& image() const { return image_; }

    std::int32_t textWidth(std::string_view line) override;
    std::int32_t lineHeight() override;
    void clearImage(ImageSize size) override;
    void drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) override;

    std::optional<ImageSize> loadPicture(const std::string& path) override;
    bool stretchPicture(ImageSize target) override;

private:
    void openReader();

    QFont font_;
    QFontMetrics metrics_;
    QImage image_;
    std::unique_ptr<QImageReader> reader_;
    QString picturePath_; // of the last picture loaded; empty when it could not be
};

// Text bytes as the user wrote them: UTF-8 where they are valid UTF-8, else
// one character a byte, as an 8-bit Windows file holds them.
QString textOfBytes(std::string_view bytes);

} // namespace almanix
