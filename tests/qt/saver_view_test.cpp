#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "qt/qt_saver_window.h"
#include "qt/qt_scene_image.h"
#include "support/notice_checks.h"
#include "support/offscreen_application.h"
#include "support/picture_bytes.h"

namespace almanix {
namespace {

// How many pixels of a row band have exactly this colour.
int pixelsOf(const QImage& image, QRgb colour, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

TEST(QtSceneImage, ANoticeIsItsTextBlockWithAnEmptyFirstLine) {
    testing::offscreenApplication();
    QtSceneImage pic(96);
    const auto [line, size] = testing::expectNoticeBlock(pic);

    pic.clearImage(size);
    pic.drawText(0, line, testing::kNoticeItem, {255, 255, 0});
    const QImage& image = pic.image();
    ASSERT_EQ(image.size(), QSize(size.width, size.height));
    EXPECT_EQ(pixelsOf(image, qRgb(0, 0, 0), 0, line), size.width * line);
    EXPECT_GT(pixelsOf(image, qRgb(255, 255, 0), line, 2 * line), 100);
    EXPECT_EQ(pixelsOf(image, qRgb(255, 255, 0), 2 * line, 3 * line), 0);
}

// The worker, and a small picture shown doubled, are judged end to end.
TEST(QtSceneImage, PicturesLoadByContentAndFillTheWholeImage) {
    testing::offscreenApplication();
    QTemporaryDir folder;
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return folder.filePath(name).toStdString();
    };
    QImage green(100, 50, QImage::Format_RGB32);
    green.fill(qRgb(10, 200, 30));
    // A bitmap under a gif name loads as the bitmap it is.
    ASSERT_TRUE(green.save(folder.filePath("small.gif"), "BMP"));
    ASSERT_TRUE(green.save(folder.filePath("photo.jpg"), "JPEG"));
    QFile photo(folder.filePath("photo.jpg"));
    ASSERT_TRUE(photo.open(QIODevice::ReadOnly));
    const std::string cut = write("cut.jpg", photo.read(300)); // a sound header, then nothing

    const std::string small = folder.filePath("small.gif").toStdString();
    const PictureFacts bitmap = inspectPicture(small, 2);
    EXPECT_EQ(bitmap.firstBytes, "BM");
    EXPECT_EQ(bitmap.size, (ImageSize{100, 50}));
    EXPECT_EQ(pixelsOf(decodePicture(small, {100, 50}), qRgb(10, 200, 30), 0, 50), 100 * 50);

    EXPECT_EQ(decodePicture(folder.filePath("photo.jpg").toStdString(), {33, 17}).size(), QSize(33, 17));
    for (const std::string& path :
         {write("notes.jpg", "not a picture at all"), folder.filePath("none.bmp").toStdString()}) {
        const PictureFacts facts = inspectPicture(path, 0);
        EXPECT_EQ(facts.firstBytes, std::nullopt);
        EXPECT_EQ(facts.size, std::nullopt);
    }
    EXPECT_TRUE(decodePicture(cut, *inspectPicture(cut, 0).size).isNull());
}

// A photo under a name that is not UTF-8, taken with the phone held upright:
// its stored 40 x 20 pixels, blue in the top-left corner, stand 20 x 40 with
// the blue top-right.
TEST(QtSceneImage, APhotoStandsUprightWhateverItsNameIs) {
    testing::offscreenApplication();
    QTemporaryDir folder;
    QImage stored(40, 20, QImage::Format_RGB32);
    stored.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) stored.setPixel(x, y, qRgb(0, 0, 255));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && stored.save(&buffer, "JPEG", 100));
    jpeg.insert(2, QByteArray::fromStdString(testing::exifOrientationSegment(6, true)));
    const std::string path = QFile::encodeName(folder.path()).toStdString() + "/caf\xE9.jpg";
    {
        QFile file;
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_TRUE(file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write(jpeg);
    }
    EXPECT_EQ(inspectPicture(path, 0).size, (ImageSize{20, 40}));
    const QImage shown = decodePicture(path, {20, 40});
    ASSERT_EQ(shown.size(), QSize(20, 40));
    EXPECT_GT(qBlue(shown.pixel(15, 3)), 200);
    EXPECT_GT(qRed(shown.pixel(3, 3)), 200);
}

// A FIFO named like a picture has no writer: opening it must not wait for one.
TEST(QtSceneImage, AFifoIsRefusedWithoutWaiting) {
    QTemporaryDir folder;
    const std::string path = QFile::encodeName(folder.filePath("pipe.jpg")).toStdString();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    std::promise<PictureFacts> inspected;
    std::future<PictureFacts> facts = inspected.get_future();
    std::thread reader([&] { inspected.set_value(inspectPicture(path, 10)); });
    const bool answered = facts.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    // A reader stuck in the open is let go, so that the test can end.
    if (!answered) ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
    reader.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(facts.get().size, std::nullopt);
}

// A paint shows black with the image where it was copied last. The trail's
// fill is judged end to end, where a moving picture leaves no pixel behind.
TEST(SaverWidget, PaintsBlackWithTheLastCopyClippedToTheWindow) {
    testing::offscreenApplication();
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    SaverWidget window(red, {1024, 768}, {40, 30}, 1);
    window.resize(40, 30);
    window.copyImage(10, 10, {8, 6});
    window.copyImage(36, -2, {8, 6});
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(pixelsOf(shown, qRgb(255, 0, 0), 0, 30), 4 * 4);
    EXPECT_EQ(pixelsOf(shown, qRgb(0, 0, 0), 0, 30), 40 * 30 - 4 * 4);
}

} // namespace
} // namespace almanix
