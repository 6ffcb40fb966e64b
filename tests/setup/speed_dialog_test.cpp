#include <gtest/gtest.h>

#include "setup/fake_setup_views.h"

namespace almanix {
namespace {

struct SpeedDialogTest : ::testing::Test, testing::FakeSystem {};

// The end-to-end run stores a speed, cancels and reopens; here, the limits,
// the frame's close and a failed store.
TEST_F(SpeedDialogTest, OpensAtTheStoredSpeedTheLabelFollowsOnlyOkStores) {
    enum Close { ok, frame, okFailing };
    struct Case {
        const char* stored;
        int opensAt;
        std::optional<int> movedTo;
        Close close;
        std::optional<std::string> afterwards;
    };
    const Case cases[] = {
        {nullptr, 1, std::nullopt, ok, "1"},
        {"45", 30, std::nullopt, ok, "30"},
        {"-7", 1, 99, ok, "30"},
        {nullptr, 1, 20, frame, std::nullopt},
        {"5", 5, 20, okFailing, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "nothing stored");
        registry.keys.clear();
        registry.failWrites = c.close == okFailing;
        if (c.stored) registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, c.stored);
        testing::FakeSpeedDialogView view;
        view.window = {3870, 2925};
        SpeedDialog dialog(view, setup);
        view.presenter = &dialog;
        dialog.load();
        EXPECT_EQ(view.calls, (std::vector<std::string>{"maximum 30", "minimum 1", "value " + std::to_string(c.opensAt)}));
        EXPECT_EQ(view.speedText, std::to_string(c.opensAt));
        EXPECT_DOUBLE_EQ(view.position->left, (15360 - 3870) / 2.0);
        if (c.movedTo) {
            view.moveTo(*c.movedTo);
            EXPECT_EQ(view.speedText, std::to_string(view.value));
        }
        if (c.close == ok || c.close == okFailing) dialog.accept();
        if (c.close == frame) dialog.frameClosed();
        // A failed store is shown, and the dialog stays with the user's choice.
        EXPECT_EQ(view.closings, c.close == okFailing ? 0 : 1);
        EXPECT_EQ(messages.shown.size(), c.close == okFailing ? 1u : 0u);
        if (c.close == okFailing) {
            EXPECT_EQ(messages.shown[0].text, "The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, "
                                              "where the settings live. Press OK to try again, or Cancel.");
        }
        EXPECT_EQ(stored(kMoveSpeedName), c.afterwards);
    }
}

} // namespace
} // namespace almanix
