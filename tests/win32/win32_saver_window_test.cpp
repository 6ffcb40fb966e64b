#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include <windows.h>

#include "support/fakes.h"
#include "support/notice_checks.h"
#include "support/picture_bytes.h"
#include "win32/win32_file_system.h"
#include "win32/win32_saver.h"

namespace almanix {
namespace {

using namespace almanix::testing;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// The pixels of a device context's area, copied into an image of their own.
class Capture {
public:
    Capture(HDC source, int width, int height) {
        image_.clearImage({width, height});
        if (source) BitBlt(image_.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
    HDC dc() const { return image_.dc(); }
    // How many pixels of the rows top..bottom-1 (of every row unless told) have exactly this colour.
    int count(COLORREF colour, int top = 0, int bottom = -1) {
        const int width = image_.size().width;
        int found = 0;
        for (int y = top; y < (bottom < 0 ? image_.size().height : bottom); ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t pixel = image_.pixels()[y * width + x];
                found += RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF) == colour ? 1 : 0;
            }
        return found;
    }

private:
    GdiSceneImage image_;
};

TEST(GdiSceneImage, ANoticeIsItsTextBlockWithAnEmptyFirstLine) {
    GdiSceneImage movingImage;
    const auto [line, size] = expectNoticeBlock(movingImage);

    movingImage.clearImage(size);
    movingImage.drawText(0, line, kNoticeItem, {255, 255, 0});
    ASSERT_EQ(movingImage.size(), size);
    Capture image(movingImage.dc(), size.width, size.height);
    EXPECT_EQ(image.count(kBlack, 0, line), size.width * line);
    EXPECT_GT(image.count(kYellow, line, 2 * line), 100);
    EXPECT_EQ(image.count(kYellow, 2 * line, 3 * line), 0);

    // A picture scene of another size leaves nothing behind.
    movingImage.clearImage({7, 5});
    EXPECT_EQ(Capture(movingImage.dc(), 7, 5).count(kBlack), 35);
    movingImage.clearImage({0, 20});
    EXPECT_EQ(movingImage.size(), (ImageSize{0, 0}));
    EXPECT_EQ(movingImage.pixels(), nullptr);
}

// A folder of picture files in the temporary folder, removed afterwards.
struct PictureFolder : ::testing::Test {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("almanix-pictures-" + std::to_string(GetCurrentProcessId()));
    Win32FileSystem files;

    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string at(const std::string& name) const { return (folder / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) {
        EXPECT_TRUE(files.replaceFile(at(name), at(name + ".tmp"), bytes));
        return at(name);
    }
};

// The worker, the doubling of a small picture, and bombs that claim 30000 x
// 30000 pixels beside a picture that shows, with the memory they take, are
// judged end to end.
TEST_F(PictureFolder, PicturesLoadByContentAndFillTheWholeImage) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPointer<IWICImagingFactory> imaging;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, reinterpret_cast<void**>(imaging.put()))));
    const std::string bitmap = bitmapBytes(100, 50, {10, 200, 30});
    // Each row: the file, its size (nothing: not shown), a size to decode it at, and every pixel's colour there.
    const std::tuple<std::string, std::optional<ImageSize>, ImageSize, std::uint32_t> cases[] = {
        // A bitmap under a gif name loads as the bitmap it is.
        {write("bitmap.gif", bitmap), ImageSize{100, 50}, {33, 17}, 0x0AC81E},
        {write("dot.gif", kRedDotGif), ImageSize{1, 1}, {2, 2}, 0xFF0000},
        {write("notes.jpg", "not a picture at all"), std::nullopt, {}, 0},
        {write("cut.bmp", bitmap.substr(0, 300)), std::nullopt, {}, 0},
        {at("missing.bmp"), std::nullopt, {}, 0},
    };
    for (const auto& [path, size, target, colour] : cases) {
        SCOPED_TRACE(path);
        const PictureFacts facts = inspectPicture(imaging.get(), path, 0);
        EXPECT_EQ(facts.firstBytes, std::nullopt);
        if (!size) {
            // Either the file does not open as a picture, or its pixels cannot be decoded.
            EXPECT_TRUE(!facts.size || decodePicture(imaging.get(), path, *facts.size).pixels.empty());
            continue;
        }
        ASSERT_EQ(facts.size, size);
        const DecodedPicture picture = decodePicture(imaging.get(), path, target);
        ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(target.width * target.height));
        for (std::uint32_t pixel : picture.pixels) ASSERT_EQ(pixel & 0xFFFFFF, colour);
    }
}

// Handles whatever the window posted to itself; true when its end left the
// quit message, which is noted, not passed on.
bool pumpMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            quit = true;
        else
            DispatchMessageA(&message);
    }
    return quit;
}

// Two monitors: the second stands left of the primary one and reaches higher.
int WINAPI twoMonitors(int index) {
    switch (index) {
    case SM_XVIRTUALSCREEN: return -1280;
    case SM_YVIRTUALSCREEN: return -200;
    case SM_CXVIRTUALSCREEN: return 3200;
    case SM_CYVIRTUALSCREEN: return 1224;
    default: return GetSystemMetrics(index);
    }
}

TEST(Win32SaverWindow, FullScreenCoversEveryMonitor) {
    GdiSceneImage movingImage;
    WicPictureLoader pictures(movingImage);
    Win32SaverWindow window(movingImage, pictures, twoMonitors);
    ASSERT_TRUE(window.create(SaverPlacement::fullScreen));
    RECT placed{};
    GetWindowRect(window.handle(), &placed);
    EXPECT_EQ(std::make_tuple(placed.left, placed.top, placed.right, placed.bottom),
              std::make_tuple(-1280, -200, 1920, 1024));
    // The motion's bounds are the same virtual desktop.
    EXPECT_EQ(window.screenSize(), (ImageSize{3200, 1224}));
    EXPECT_EQ(window.windowSize(), (ImageSize{3200, 1224}));
}

// The saver's real windows over the platform in memory, with no pictures.
struct SaverOnWindows : ::testing::Test, FakeSystem {
    void TearDown() override { pumpMessages(); }
};

// The end-to-end run reads the preview's place, size and end from the host's
// side; here what it draws, the help notice on black, shows inside the host.
TEST_F(SaverOnWindows, ThePreviewDrawsInsideItsHost) {
    const HWND host = CreateWindowExA(0, "STATIC", "Preview host", WS_POPUP | WS_VISIBLE, 50, 40, 152, 112, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    const auto saver = openSaverPreview(host, {SaverPlacement::preview, {}, SaverPassword::off}, platform);
    ASSERT_NE(saver, nullptr);
    // The first scene waits for the due check's answer, a second at most, through the window's messages.
    for (int waited = 0; waited < 1500; waited += 10) {
        pumpMessages();
        Sleep(10);
    }
    saver->window().copyImage(0, 0, {152, 112});
    const HDC hostDc = GetDC(host);
    Capture shown(hostDc, 152, 112);
    ReleaseDC(host, hostDc);
    EXPECT_GT(shown.count(kBlack), 152 * 112 / 2);
    EXPECT_LT(shown.count(kBlack), 152 * 112);
    DestroyWindow(host);
}

} // namespace
} // namespace almanix
