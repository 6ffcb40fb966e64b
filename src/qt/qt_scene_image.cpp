#include "qt/qt_scene_image.h"

#include <QPainter>
#include <QStringDecoder>
#include <cmath>

namespace almanix {

namespace {

constexpr double kNoticePoints = 15.75;

QFont noticeFont(double dotsPerInch) {
    // "Arial" resolves to its metric twin, Liberation Sans, through fontconfig.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(std::lround(kNoticePoints * dotsPerInch / 72.0)));
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QSize qtSize(ImageSize size) { return {size.width, size.height}; }

} // namespace

QString textOfBytes(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QtSceneImage::QtSceneImage(double dotsPerInch) : font_(noticeFont(dotsPerInch)), metrics_(font_) {}

std::int32_t QtSceneImage::textWidth(std::string_view line) {
    return metrics_.horizontalAdvance(textOfBytes(line));
}

std::int32_t QtSceneImage::lineHeight() { return metrics_.height(); }

void QtSceneImage::clearImage(ImageSize size) {
    image_ = QImage(qtSize(size), QImage::Format_RGB32);
    image_.fill(Qt::black);
}

void QtSceneImage::drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) {
    if (image_.isNull()) return;
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(QColor(colour.red, colour.green, colour.blue));
    painter.drawText(x, y + metrics_.ascent(), textOfBytes(line));
}

std::optional<ImageSize> QtSceneImage::loadPicture(const std::string& path) {
    // The content decides the format, whatever the name's extension says.
    picturePath_ = QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
    openReader();
    const QSize size = reader_->size();
    if (!size.isValid() || size.isEmpty()) {
        picturePath_.clear();
        return std::nullopt;
    }
    return ImageSize{size.width(), size.height()};
}

void QtSceneImage::openReader() {
    reader_ = std::make_unique<QImageReader>(picturePath_);
    reader_->setDecideFormatFromContent(true);
}

bool QtSceneImage::stretchPicture(ImageSize target) {
    if (picturePath_.isEmpty()) return false;
    // A reader decodes once; a second stretch reads the file again.
    if (!reader_) openReader();
    // Decoding straight to the target size spares most of the work for big photographs.
    reader_->setScaledSize(qtSize(target));
    const QImage picture = reader_->read();
    reader_.reset();
    if (picture.isNull()) return false;
    // Transparent parts show the black background, as on a picture box.
    image_ = QImage(qtSize(target), QImage::Format_RGB32);
    image_.fill(Qt::black);
    QPainter painter(&image_);
    painter.drawImage(QRect(QPoint(0, 0), qtSize(target)), picture);
    return true;
}

} // namespace almanix
