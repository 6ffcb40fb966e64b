#include "qt/qt_scene_image.h"

#include <QFile>
#include <QImageReader>
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

QtSceneImage::QtSceneImage(double dotsPerInch)
    : font_(noticeFont(dotsPerInch)),
      metrics_(font_),
      workerContext_(new QObject) {
    workerContext_->moveToThread(&worker_);
    QObject::connect(&worker_, &QThread::finished, workerContext_, &QObject::deleteLater);
    worker_.start();
}

QtSceneImage::~QtSceneImage() {
    worker_.quit();
    worker_.wait();
}

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

template <typename Work, typename Answer>
void QtSceneImage::onWorker(Work work, Answer answer) {
    QObject* answerContext = &answerContext_;
    QMetaObject::invokeMethod(
        workerContext_,
        [work, answer, answerContext] {
            auto result = work();
            QMetaObject::invokeMethod(
                answerContext, [answer, result] { answer(result); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void QtSceneImage::inspect(const std::string& path, std::size_t firstBytes) {
    onWorker([path, firstBytes] { return inspectPicture(path, firstBytes); },
             [this](const PictureFacts& facts) {
                 if (answers_) answers_->pictureInspected(facts);
             });
}

void QtSceneImage::decode(const std::string& path, ImageSize size) {
    onWorker([path, size] { return decodePicture(path, size); },
             [this](const QImage& picture) {
                 decoded_ = picture;
                 if (answers_) answers_->pictureDecoded(!picture.isNull());
             });
}

void QtSceneImage::showDecoded(ImageSize target) {
    // A small picture may be shown doubled: pixel for pixel, as a plain stretch does.
    image_ = decoded_.size() == qtSize(target) ? decoded_ : decoded_.scaled(qtSize(target));
    decoded_ = QImage();
}

PictureFacts inspectPicture(const std::string& path, std::size_t firstBytes) {
    const QString name = QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
    PictureFacts facts;
    if (firstBytes > 0) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly)) facts.firstBytes = file.read(static_cast<qint64>(firstBytes)).toStdString();
    }
    // The content decides the format, whatever the name's extension says.
    QImageReader reader(name);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty()) facts.size = ImageSize{size.width(), size.height()};
    return facts;
}

QImage decodePicture(const std::string& path, ImageSize size) {
    QImageReader reader(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
    reader.setDecideFormatFromContent(true);
    // Decoding straight to the size it is shown at spares most of the work for big photographs.
    reader.setScaledSize(qtSize(size));
    const QImage picture = reader.read();
    if (picture.isNull()) return {};
    if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
    // Transparent parts show the black background, as on a picture box.
    QImage opaque(qtSize(size), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(QRect(QPoint(0, 0), qtSize(size)), picture);
    return opaque;
}

} // namespace almanix
