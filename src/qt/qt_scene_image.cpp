#include "qt/qt_scene_image.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QStringDecoder>
#include <cmath>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "saver/picture_files.h"
#include "saver/picture_orientation.h"

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

// The file open for reading when it is a regular file that may be decoded
// within the budget; null otherwise. The open does not wait for a FIFO's
// writer, and the name's bytes go to the system as they are.
std::unique_ptr<QFile> openPicture(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat status {};
    auto file = std::make_unique<QFile>();
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return nullptr;
    }
    // Qt's allocation limit counts the picture made, not what its decoder holds meanwhile.
    const QByteArray start = file->peek(static_cast<qint64>(kJpegHeaderBytes));
    const std::string_view bytes(start.constData(), static_cast<std::size_t>(start.size()));
    if (pictureKindOf(bytes) == PictureKind::jpeg && wholeFramePassesBudget(jpegHeaderOf(bytes))) return nullptr;
    return file;
}

// A reader of the picture in the file that turns a photo upright by its EXIF
// orientation, and refuses one that would decode beyond the budget.
void prepare(QImageReader& reader) {
    reader.setAutoTransform(true);
    reader.setAllocationLimit(static_cast<int>(kPictureDecodeBudgetBytes / (1024 * 1024)));
}

bool turnsAQuarter(const QImageReader& reader) {
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace

QString textOfBytes(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QtSceneImage::QtSceneImage(double dotsPerInch)
    : font_(noticeFont(dotsPerInch)),
      metrics_(font_),
      worker_([context = &answerContext_](DetachedWorker::Answer answer) {
          QMetaObject::invokeMethod(context, std::move(answer), Qt::QueuedConnection);
      }) {}

std::int32_t QtSceneImage::textWidth(std::string_view line) { return metrics_.horizontalAdvance(textOfBytes(line)); }

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

void QtSceneImage::inspect(const std::string& path, std::size_t firstBytes) {
    worker_.post([this, path, firstBytes]() -> DetachedWorker::Answer {
        return [this, facts = inspectPicture(path, firstBytes)] {
            if (answers_) answers_->pictureInspected(facts);
        };
    });
}

void QtSceneImage::decode(const std::string& path, ImageSize size) {
    worker_.post([this, path, size]() -> DetachedWorker::Answer {
        return [this, picture = decodePicture(path, size)] {
            decoded_ = picture;
            if (answers_) answers_->pictureDecoded(!picture.isNull());
        };
    });
}

void QtSceneImage::showDecoded(ImageSize target) {
    // A small picture may be shown doubled: pixel for pixel, as a plain stretch does.
    image_ = decoded_.size() == qtSize(target) ? decoded_ : decoded_.scaled(qtSize(target));
    decoded_ = QImage();
}

PictureFacts inspectPicture(const std::string& path, std::size_t firstBytes) {
    PictureFacts facts;
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return facts;
    if (firstBytes > 0) {
        facts.firstBytes = file->read(static_cast<qint64>(firstBytes)).toStdString();
        if (!file->seek(0)) return facts;
    }
    // The content decides the format, whatever the name's extension says.
    QImageReader reader(file.get());
    prepare(reader);
    const QSize size = turnsAQuarter(reader) ? reader.size().transposed() : reader.size();
    if (size.isValid() && !size.isEmpty()) facts.size = ImageSize{size.width(), size.height()};
    return facts;
}

QImage decodePicture(const std::string& path, ImageSize size) {
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file) return {};
    QImageReader reader(file.get());
    prepare(reader);
    // Decoding straight to the size it is shown at spares most of the work for
    // big photographs; the size is the stored picture's, before it is turned.
    reader.setScaledSize(turnsAQuarter(reader) ? qtSize(size).transposed() : qtSize(size));
    const QImage picture = reader.read();
    if (picture.isNull() || picture.size() != qtSize(size)) return {};
    if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
    // Transparent parts show the black background, as on a picture box.
    QImage opaque(qtSize(size), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(QRect(QPoint(0, 0), qtSize(size)), picture);
    return opaque;
}

} // namespace almanix
