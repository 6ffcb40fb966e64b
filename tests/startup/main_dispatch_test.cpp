#include <gtest/gtest.h>

#include "startup/main_dispatch.h"
#include "support/fakes.h"

namespace almanix {
namespace {

using testing::FakePlatformServices;
using testing::MemoryRegistry;
using testing::RecordingMessageBoxes;

class RecordingShell final : public StartupShell {
public:
    bool running = false;
    std::vector<std::string> opened;
    std::int32_t previewParent = 0;

    bool anotherCopyIsRunning() override { return running; }
    bool showSaverFullScreen() override {
        // The saver's load already sees the run mode.
        opened.push_back("full screen, run mode " + std::to_string(gRunMode));
        return true;
    }
    WindowRect clientRectOf(std::int32_t) override { return {0, 0, 152, 112}; }
    bool showSaverPreview(std::int32_t parent, const WindowRect&) override {
        previewParent = parent;
        opened.push_back("preview, run mode " + std::to_string(gRunMode));
        return true;
    }
    bool showSetupWindow() override {
        opened.push_back("setup");
        return true;
    }
};

struct Dispatch : ::testing::Test {
    RecordingShell shell;
    FakePlatformServices platform;
    MemoryRegistry registry;
    RecordingMessageBoxes messages;
    StartupServices services{shell, platform, registry, messages};

    void SetUp() override { resetStartupState(); }
    void TearDown() override { resetStartupState(); }

    void setPasswordFlag(std::uint32_t type, std::string data) {
        registry.set(HKEY_CURRENT_USER_ROOT, "Control Panel\\Desktop", "ScreenSaveUsePassword", type,
                     std::move(data));
    }
};

TEST_F(Dispatch, EachArgumentOpensItsWindowAndRecordsTheRunMode) {
    struct Case {
        const char* argumentText;
        MainResult result;
        std::vector<std::string> opened;
        std::int32_t runMode;
    };
    const Case cases[] = {
        {"", MainResult::windowOpened, {"full screen, run mode 1"}, 1},
        {"/S", MainResult::windowOpened, {"full screen, run mode 1"}, 1},
        {" /s:99 ", MainResult::windowOpened, {"full screen, run mode 1"}, 1},
        {"/p 4242", MainResult::windowOpened, {"preview, run mode 4"}, 4},
        {"/c", MainResult::windowOpened, {"setup"}, 0},
        {"/c:1234", MainResult::windowOpened, {"setup"}, 0},
        {"/x", MainResult::nothingOpened, {}, 0},
        {"-s", MainResult::nothingOpened, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        resetStartupState();
        shell.opened.clear();
        EXPECT_EQ(Main(c.argumentText, services), c.result);
        EXPECT_EQ(shell.opened, c.opened);
        EXPECT_EQ(gRunMode, c.runMode);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Dispatch, PreviewRecordsTheParentWindowAndItsClientArea) {
    EXPECT_EQ(Main("/p 4242", services), MainResult::windowOpened);
    EXPECT_EQ(gParentWindow, 4242);
    EXPECT_EQ(shell.previewParent, 4242);
    EXPECT_EQ(gParentRect.right, 152);
    EXPECT_EQ(gParentRect.bottom, 112);
    EXPECT_EQ(gWinVersion, "");
    EXPECT_EQ(gUsePassword, 0);
    EXPECT_TRUE(platform.runningStates.empty());
}

TEST_F(Dispatch, MalformedPreviewHandleIsReportedAndOpensNothing) {
    for (const char* argumentText : {"/p", "/p abc", "/p:"}) {
        SCOPED_TRACE(argumentText);
        messages.shown.clear();
        EXPECT_EQ(Main(argumentText, services), MainResult::startupFailed);
        EXPECT_TRUE(shell.opened.empty());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].text.find(argumentText), std::string::npos);
        EXPECT_EQ(messages.shown[0].title, kApplicationTitle);
    }
}

TEST_F(Dispatch, ASecondCopyEndsAtOnceInEveryMode) {
    shell.running = true;
    for (const char* argumentText : {"", "/s", "/p 12", "/c", "/a 12"}) {
        SCOPED_TRACE(argumentText);
        EXPECT_EQ(Main(argumentText, services), MainResult::nothingOpened);
    }
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(platform.passwordChanges.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(gRunMode, 0);
}

TEST_F(Dispatch, FullScreenReadsThePasswordFlagOnlyOnThe95Family) {
    struct Case {
        std::uint32_t platformId;
        std::uint32_t flagType;
        std::string flagData;
        const char* version;
        std::int16_t usePassword;
        std::vector<bool> runningStates;
    };
    const Case cases[] = {
        {1, REG_DWORD_TYPE, std::string("\x01\0\0\0", 4), "95", 1, {true}},
        {1, REG_DWORD_TYPE, std::string("\0\0\0\0", 4), "95", 0, {}},
        {1, REG_SZ_TYPE, std::string("1\0", 2), "95", 49, {}},
        {2, REG_DWORD_TYPE, std::string("\x01\0\0\0", 4), "NT", 0, {}},
        {0, REG_DWORD_TYPE, std::string("\x01\0\0\0", 4), "Unknown", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        resetStartupState();
        platform.runningStates.clear();
        platform.platform = c.platformId;
        setPasswordFlag(c.flagType, c.flagData);
        EXPECT_EQ(Main("/s", services), MainResult::windowOpened);
        EXPECT_EQ(gWinVersion, c.version);
        EXPECT_EQ(gUsePassword, c.usePassword);
        EXPECT_EQ(platform.runningStates, c.runningStates);
    }
}

TEST_F(Dispatch, PasswordChangeRunsForTheOwnerWindowOrReportsFailure) {
    EXPECT_EQ(Main("/a 1234", services), MainResult::nothingOpened);
    EXPECT_EQ(gRunMode, 3);
    EXPECT_EQ(gParentWindow, 1234);
    ASSERT_EQ(platform.passwordChanges.size(), 1u);
    EXPECT_EQ(platform.passwordChanges[0].first, "SCRSAVE");
    EXPECT_EQ(platform.passwordChanges[0].second, 1234);
    EXPECT_TRUE(messages.shown.empty());

    for (const char* argumentText : {"/a", "/a xyz"}) {
        SCOPED_TRACE(argumentText);
        messages.shown.clear();
        Main(argumentText, services);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "The password change has failed");
        EXPECT_EQ(messages.shown[0].title, "PW");
    }

    platform.passwordServiceAvailable = false;
    messages.shown.clear();
    Main("/a 1234", services);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "PW");
}

TEST(PlatformServices, ReadRegistryFlagTakesTheFirstByteOfAllButTheLast) {
    struct Case {
        const char* name;
        std::optional<std::pair<std::uint32_t, std::string>> value;
        std::int16_t flag;
    };
    const Case cases[] = {
        {"DWORD 1", std::pair{REG_DWORD_TYPE, std::string("\x01\0\0\0", 4)}, 1},
        {"DWORD 0", std::pair{REG_DWORD_TYPE, std::string("\0\0\0\0", 4)}, 0},
        {"text 1 with NUL", std::pair{REG_SZ_TYPE, std::string("1\0", 2)}, 49},
        {"one byte", std::pair{REG_BINARY_TYPE, std::string("\x01", 1)}, 0},
        {"no data", std::pair{REG_BINARY_TYPE, std::string()}, 32},
        {"larger than the buffer", std::pair{REG_BINARY_TYPE, std::string(2049, '\x01')}, 0},
        {"missing", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::MemoryRegistry registry;
        if (c.value) registry.set(HKEY_CURRENT_USER_ROOT, "Control Panel\\Desktop", "Flag", c.value->first,
                                  c.value->second);
        EXPECT_EQ(readRegistryFlag(registry, HKEY_CURRENT_USER_ROOT, "Control Panel\\Desktop", "Flag"), c.flag);
    }
}

TEST(PlatformServices, SwitchSystemKeysActsOnlyOn95WithThePasswordOn) {
    struct Case {
        const char* version;
        std::int16_t usePassword;
        const char* word;
        std::vector<bool> calls;
    };
    const Case cases[] = {
        {"95", 1, "disable", {true}}, {"95", 1, "DISABLE", {true}}, {"95", 1, "Enable", {false}},
        {"95", 1, "other", {}},       {"95", 0, "disable", {}},     {"95", 49, "disable", {}},
        {"NT", 1, "disable", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + c.word);
        testing::FakePlatformServices platform;
        gWinVersion = c.version;
        gUsePassword = c.usePassword;
        switchSystemKeys(platform, c.word);
        EXPECT_EQ(platform.runningStates, c.calls);
    }
    resetStartupState();
}

} // namespace
} // namespace almanix
