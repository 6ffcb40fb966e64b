#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdlib>
#include <ctime>

#include "qt/linux_platform.h"
#include "qt/qt_calendar.h"
#include "qt/qt_scene_image.h"
#include "qt/qt_time_zones.h"
#include "support/notice_checks.h"
#include "support/offscreen_application.h"
#include "support/zone_checks.h"

namespace almanix {
namespace {

// Sets an environment variable for one test, or unsets it for null, and restores it afterwards.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(value);
    }
    ~EnvironmentGuard() { set(old_ ? old_->c_str() : nullptr); }

private:
    void set(const char* value) { value ? ::setenv(name_, value, 1) : ::unsetenv(name_); }
    const char* name_;
    std::optional<std::string> old_;
};

// The end-to-end runs set HOME, XDG_CONFIG_HOME and XDG_CACHE_HOME and find
// their files there; without an absolute variable the folder is under the home folder.
TEST(LinuxPlatform, TheConfigAndCacheFoldersFallBackToTheHomeFolder) {
    EnvironmentGuard home("HOME", "/home/ann");
    for (const char* variable : {static_cast<const char*>(nullptr), "relative/folder"}) {
        EnvironmentGuard config("XDG_CONFIG_HOME", variable), cache("XDG_CACHE_HOME", variable);
        EXPECT_EQ(linuxConfigFolder(), "/home/ann/.config/almanix");
        EXPECT_EQ(linuxCacheFolder().path, "/home/ann/.cache/almanix");
    }
    EnvironmentGuard cache("XDG_CACHE_HOME", "/var/cache/ann");
    EXPECT_EQ(linuxCacheFolder().path, "/var/cache/ann/almanix");
}

TEST(QtTimeZones, AgreeWithTheKnownZones) {
    QtTimeZones zones;
    testing::expectAgreementWithKnownZones(zones);
    // The local zone as the C library has it, whichever it is, in winter and in summer.
    for (const std::time_t utc : {std::time_t{1768435200}, std::time_t{1783987200}}) {
        std::tm local{};
        ::localtime_r(&utc, &local);
        EXPECT_EQ(zones.localOffsetAt(utc), local.tm_gmtoff);
    }
}

TEST(QtCalendar, KeepsToItsLimitsAndItsArrowsTakeTheDateAlong) {
    testing::offscreenApplication();
    QtCalendar control(nullptr);
    std::vector<CalendarDate> picks;
    control.reportPicksTo([&](const CalendarDate& date) { picks.push_back(date); });
    control.showDate({2026, 12, 6});
    EXPECT_TRUE(picks.empty()); // shown, not picked

    control.restrict(DateRange{{2026, 12, 1}, {2026, 12, 31}}, {.monthReadOnly = true});
    control.setSelectedDate(QDate(2026, 11, 30)); // the first day is as far as it goes
    control.setSelectedDate(QDate(2027, 1, 1));
    control.restrict(std::nullopt, {});
    control.setSelectedDate(QDate(2031, 1, 31));
    control.showNextMonth(); // to the month's last day at most
    EXPECT_EQ(picks, (std::vector<CalendarDate>{{2026, 12, 1}, {2026, 12, 31}, {2031, 1, 31}, {2031, 2, 28}}));

    control.restrict(std::nullopt, {.showIterationButtons = false});
    for (const char* name : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"}) {
        auto* button = control.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isHidden());
    }
}

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

// The worker, a small picture shown doubled, a photo that stands upright
// whatever its name, and FIFOs named like pictures are judged end to end.
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

} // namespace
} // namespace almanix
