#include <gtest/gtest.h>

#include <memory>
#include <windows.h>

#include "events/date_pattern.h"
#include "saver/saver_fakes.h"
#include "saver/saver_window.h"
#include "startup/startup_state.h"
#include "support/fakes.h"
#include "support/notice_checks.h"
#include "support/picture_bytes.h"
#include "win32/gdi_scene_image.h"
#include "win32/wic_picture_loader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_saver_window.h"

namespace almanix {
namespace {

using namespace almanix::testing;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// The pixels of a device context's area, copied into an image of their own.
class Capture {
public:
    Capture(HDC source, int width, int height) {
        image_.clearImage({width, height});
        if (source) BitBlt(image_.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
    HDC dc() const { return image_.dc(); }
    COLORREF at(int x, int y) {
        const std::uint32_t pixel = image_.pixels()[y * image_.size().width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // How many pixels of the rows top..bottom-1 have exactly this colour.
    int count(COLORREF colour, int top, int bottom) {
        int found = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < image_.size().width; ++x) found += at(x, y) == colour ? 1 : 0;
        return found;
    }
    int count(COLORREF colour) { return count(colour, 0, image_.size().height); }

private:
    GdiSceneImage image_;
};

TEST(GdiSceneImage, ANoticeIsItsTextBlockWithAnEmptyFirstLine) {
    GdiSceneImage pic;
    const auto [line, size] = expectNoticeBlock(pic);

    pic.clearImage(size);
    pic.drawText(0, line, kNoticeItem, {255, 255, 0});
    ASSERT_EQ(pic.size(), size);
    Capture image(pic.dc(), size.width, size.height);
    EXPECT_EQ(image.count(RGB(0, 0, 0), 0, line), size.width * line);
    EXPECT_GT(image.count(kYellow, line, 2 * line), 100);
    EXPECT_EQ(image.count(kYellow, 2 * line, 3 * line), 0);

    // A picture scene of another size leaves nothing behind.
    pic.clearImage({7, 5});
    EXPECT_EQ(Capture(pic.dc(), 7, 5).count(RGB(0, 0, 0)), 35);
    pic.clearImage({0, 20});
    EXPECT_EQ(pic.size(), (ImageSize{0, 0}));
    EXPECT_EQ(pic.pixels(), nullptr);
}

// A folder of picture files in the temporary folder, removed afterwards.
struct PictureFolder : ::testing::Test {
    std::string folder;
    std::vector<std::string> written;
    Win32FileSystem files;

    void SetUp() override {
        char temporary[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temporary);
        folder = std::string(temporary) + "almanix-pictures-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& path : written) DeleteFileA(path.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::string write(const std::string& name, const std::string& bytes) {
        written.push_back(folder + name);
        EXPECT_TRUE(files.replaceFile(written.back(), written.back() + ".tmp", bytes));
        return written.back();
    }
};

TEST_F(PictureFolder, PicturesLoadByContentAndFillTheWholeImage) {
    const std::string bitmap = bitmapBytes(100, 50, {10, 200, 30});
    struct Case {
        std::string path;
        std::optional<ImageSize> shownFrom; // nothing: not shown
        ImageSize target;
        COLORREF colour; // every pixel's
    };
    const Case cases[] = {
        {write("small.bmp", bitmap), ImageSize{100, 50}, {200, 100}, RGB(10, 200, 30)},
        // A bitmap under a gif name loads as the bitmap it is.
        {write("bitmap.gif", bitmap), ImageSize{100, 50}, {33, 17}, RGB(10, 200, 30)},
        {write("dot.gif", kRedDotGif), ImageSize{1, 1}, {2, 2}, kRed},
        {write("notes.jpg", "not a picture at all"), std::nullopt, {}, CLR_INVALID},
        {write("cut.bmp", bitmap.substr(0, 300)), std::nullopt, {}, CLR_INVALID},
        {folder + "missing.bmp", std::nullopt, {}, CLR_INVALID},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        GdiSceneImage pic;
        WicPictureLoader loader(pic);
        const auto size = loader.loadPicture(c.path);
        if (!c.shownFrom) {
            // Either the file does not open as a picture, or its pixels cannot be decoded.
            EXPECT_FALSE(size && loader.stretchPicture(*size));
            EXPECT_FALSE(loader.stretchPicture({10, 10}));
            continue;
        }
        ASSERT_EQ(size, c.shownFrom);
        // At its own size first, as a small picture is, then at the target.
        ASSERT_TRUE(loader.stretchPicture(*size));
        ASSERT_TRUE(loader.stretchPicture(c.target));
        ASSERT_EQ(pic.size(), c.target);
        Capture image(pic.dc(), c.target.width, c.target.height);
        EXPECT_EQ(image.count(c.colour), c.target.width * c.target.height);
    }
}

// Handles whatever the window posted to itself; the quit message that its
// end leaves is noted, not passed on.
bool pumpMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quit = true;
        else DispatchMessageA(&message);
    }
    return quit;
}

// The cursor's display count; the cursor shows while it is 0 or more.
int cursorCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

TEST(Win32SaverWindow, EachTickFillsTheTrailAndCopiesTheImageClippedToTheWindow) {
    GdiSceneImage pic;
    pic.clearImage({8, 6});
    const RECT whole{0, 0, 8, 6};
    const HBRUSH red = CreateSolidBrush(kRed);
    FillRect(pic.dc(), &whole, red);
    DeleteObject(red);
    Win32SaverWindow window(pic);
    ASSERT_TRUE(window.create(SaverPlacement::preview));
    SetWindowPos(window.handle(), nullptr, 0, 0, 40, 30, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pumpMessages();
    const HDC screen = GetDC(window.handle());

    Motion motion{.posX = 10, .posY = 10, .stepX = 3, .stepY = -2};
    window.copyImage(motion.posX, motion.posY, {8, 6});
    drawFrame(motion, {8, 6}, window);
    {
        Capture shown(screen, 40, 30);
        EXPECT_EQ(shown.count(kRed), 48);
        EXPECT_EQ(shown.at(13, 8), kRed);
        EXPECT_EQ(shown.at(20, 13), kRed);
        EXPECT_EQ(shown.at(10, 15), RGB(0, 0, 0)); // where the image stood
        EXPECT_EQ(shown.at(12, 8), RGB(0, 0, 0));
    }
    window.copyImage(36, -2, {8, 6});
    EXPECT_EQ(Capture(screen, 40, 30).count(kRed), 48 + 4 * 4);

    // A repaint, or a print of the window, shows black with the image where it was copied last.
    Capture printed(nullptr, 40, 30);
    SendMessageA(window.handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    EXPECT_EQ(printed.count(kRed), 4 * 4);
    EXPECT_EQ(printed.count(RGB(0, 0, 0)), 40 * 30 - 4 * 4);
}

// The real window with the saver's presenter on in-memory files and settings.
struct SaverOnWindows : ::testing::Test, SaverStores {
    GdiSceneImage pic;
    SeededRandom random;
    Win32SaverWindow window{pic};
    std::unique_ptr<SaverWindow> presenter;
    bool gone = false;

    void SetUp() override { resetStartupState(); }
    void TearDown() override {
        pumpMessages();
        resetStartupState();
    }

    // The window stays hidden, so that only the messages of the test reach it.
    void open(std::int32_t runMode) {
        gRunMode = runMode;
        ASSERT_TRUE(window.create(SaverPlacement::preview));
        window.whenGone([this] { gone = true; });
        presenter = std::make_unique<SaverWindow>(servicesFor(window, pic, random));
        window.attach(*presenter);
        ASSERT_TRUE(presenter->Form_Load());
    }
};

TEST_F(SaverOnWindows, InputEndsTheSaverByTheRulesOfTheRunMode) {
    struct Message {
        UINT message;
        LPARAM place;
    };
    struct Case {
        const char* input;
        std::vector<Message> messages;
        bool endsFullScreen;
        bool endsPreview;
    };
    const Case cases[] = {
        {"key", {{WM_KEYDOWN, 0}}, true, false},
        {"character", {{WM_CHAR, 0}}, true, false},
        {"left button", {{WM_LBUTTONDOWN, 0}}, true, false},
        {"right button", {{WM_RBUTTONDOWN, 0}}, true, false},
        {"middle button", {{WM_MBUTTONDOWN, 0}}, true, false},
        {"click", {{WM_LBUTTONUP, 0}}, true, false},
        {"double click", {{WM_LBUTTONDBLCLK, 0}}, true, false},
        {"first move", {{WM_MOUSEMOVE, MAKELPARAM(5, 7)}}, false, false},
        {"move, then rest", {{WM_MOUSEMOVE, MAKELPARAM(5, 7)}, {WM_MOUSEMOVE, MAKELPARAM(5, 7)}}, false, false},
        {"move, then move on", {{WM_MOUSEMOVE, MAKELPARAM(5, 7)}, {WM_MOUSEMOVE, MAKELPARAM(5, 8)}}, true, true},
        {"a corner move is only recorded",
         {{WM_MOUSEMOVE, MAKELPARAM(0, 0)}, {WM_MOUSEMOVE, MAKELPARAM(3, 0)}}, false, false},
    };
    for (const Case& c : cases) {
        for (const std::int32_t runMode : {kRunModeFullScreen, kRunModePreview}) {
            SCOPED_TRACE(std::string(c.input) + (runMode == kRunModeFullScreen ? " in full screen" : " in the preview"));
            TearDown();
            gone = false;
            const int cursorBefore = cursorCount();
            open(runMode);
            EXPECT_EQ(cursorCount(), runMode == kRunModeFullScreen ? cursorBefore - 1 : cursorBefore);
            for (const Message& m : c.messages) SendMessageA(window.handle(), m.message, 0, m.place);
            const bool quit = pumpMessages();
            const bool ends = runMode == kRunModeFullScreen ? c.endsFullScreen : c.endsPreview;
            EXPECT_EQ(gone, ends);
            EXPECT_EQ(quit, ends);
            EXPECT_EQ(presenter->running(), !ends);
            if (!ends) {
                SendMessageA(window.handle(), WM_CLOSE, 0, 0);
                EXPECT_TRUE(gone);
            }
            EXPECT_EQ(cursorCount(), cursorBefore);
        }
    }
}

TEST_F(SaverOnWindows, ThePreviewLivesInItsHostAndEndsWithIt) {
    const HWND host = CreateWindowExA(0, "STATIC", "Preview host", WS_POPUP | WS_VISIBLE, 50, 40, 152, 112, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    open(kRunModePreview);
    window.embedIn(host, {0, 0, 152, 112});

    const HWND saver = window.handle();
    char caption[32] = {};
    GetWindowTextA(saver, caption, sizeof caption);
    EXPECT_STREQ(caption, "Preview");
    EXPECT_EQ(GetAncestor(saver, GA_PARENT), host);
    EXPECT_NE(GetWindowLongA(saver, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_TRUE(IsWindowVisible(saver));
    RECT client{};
    GetClientRect(saver, &client);
    EXPECT_EQ(client.right, 152);
    EXPECT_EQ(client.bottom, 112);
    pumpMessages();
    EXPECT_TRUE(presenter->running());
    // What the preview draws shows inside its host.
    window.fillBlack(PixelRect::between(0, 0, 151, 111));
    window.copyImage(0, 0, pic.size());
    {
        const HDC hostDc = GetDC(host);
        Capture shown(hostDc, 152, 112);
        ReleaseDC(host, hostDc);
        EXPECT_GT(shown.count(RGB(0, 0, 0)), 152 * 112 / 2);
        EXPECT_LT(shown.count(RGB(0, 0, 0)), 152 * 112);
    }

    DestroyWindow(host);
    EXPECT_TRUE(gone);
    EXPECT_FALSE(presenter->running());
    EXPECT_TRUE(pumpMessages());
}

} // namespace
} // namespace almanix
