#include <gtest/gtest.h>

#include "setup/fake_setup_views.h"

namespace almanix {
namespace {

struct SpeedDialogTest : ::testing::Test, testing::FakeSystem {};

// The end-to-end run stores a speed, cancels and reopens; here, a stored speed
// beyond the limit, the label and a failed store.
TEST_F(SpeedDialogTest, OpensAtTheStoredSpeedTheLabelFollowsOnlyOkStores) {
    for (const bool storeFails : {false, true}) {
        SCOPED_TRACE(storeFails ? "the store fails" : "stored");
        registry.failWrites = storeFails;
        registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, "45");
        testing::FakeSpeedDialogView view;
        SpeedDialog dialog(view, setup);
        view.presenter = &dialog;
        dialog.load();
        // Its range is set before its value, or the slider's own range would cut it.
        EXPECT_EQ(view.value, 30);
        EXPECT_EQ(view.speedText, "30");
        view.moveTo(20);
        EXPECT_EQ(view.speedText, "20");
        dialog.accept();
        // A failed store is shown, and the dialog stays with the user's choice.
        EXPECT_EQ(view.closings, storeFails ? 0 : 1);
        EXPECT_EQ(messages.shown.size(), storeFails ? 1u : 0u);
        if (storeFails) {
            EXPECT_EQ(messages.shown[0], "The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, "
                                         "where the settings live. Press OK to try again, or Cancel.");
        }
        EXPECT_EQ(stored(kMoveSpeedName), storeFails ? "45" : "20");
    }
}

} // namespace
} // namespace almanix
