#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QObject>

#include "common/detached_worker.h"
#include "saver/notice.h"
#include "saver/slideshow.h"

namespace almanix {

// The moving image (Pic) and the picture loading behind it (Pic2), in Qt.
// Pictures are read and decoded on a worker thread, one request after another,
// and answered back on the thread that made this object.
class QtSceneImage final : public NoticeCanvas, public PictureLoader {
public:
    // The notice font is sized for a screen of this many dots per inch.
    explicit QtSceneImage(double dotsPerInch);
    // Answers not yet given are dropped; a read under way is not waited for.
    ~QtSceneImage() override = default;
    QtSceneImage(const QtSceneImage&) = delete;
    QtSceneImage& operator=(const QtSceneImage&) = delete;

    const QImage& image() const { return image_; }

    std::int32_t textWidth(std::string_view line) override;
    std::int32_t lineHeight() override;
    void clearImage(ImageSize size) override;
    void drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) override;

    void answerTo(PictureAnswers& answers) override { answers_ = &answers; }
    void inspect(const std::string& path, std::size_t firstBytes) override;
    void decode(const std::string& path, ImageSize size) override;
    void showDecoded(ImageSize target) override;

private:
    QFont font_;
    QFontMetrics metrics_;
    QImage image_;
    QImage decoded_;
    PictureAnswers* answers_ = nullptr;
    QObject answerContext_; // answers queued to it are dropped with it
    DetachedWorker worker_; // after the context, so that it goes first
};

// The work done on the worker; any thread may call these. The path is bytes,
// as the file system holds them, whatever their script. Only regular files are
// read, and opening one never waits (a FIFO is refused at once).
// The file's first bytes (when asked for) and its size standing upright.
PictureFacts inspectPicture(const std::string& path, std::size_t firstBytes);
// The picture upright at this size, opaque on black; null when it cannot be
// decoded within the budget.
QImage decodePicture(const std::string& path, ImageSize size);

// Text bytes as the user wrote them: UTF-8 where they are valid UTF-8, else
// one character a byte, as an 8-bit Windows file holds them.
QString textOfBytes(std::string_view bytes);

} // namespace almanix
