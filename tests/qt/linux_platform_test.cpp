#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "qt/linux_platform.h"

namespace almanix {
namespace {

// Sets an environment variable for one test and restores it afterwards.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value, 1); else ::unsetenv(name);
    }
    ~EnvironmentGuard() {
        if (old_) ::setenv(name_, old_->c_str(), 1); else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LinuxPlatform, FoldersFollowHomeAndXdgConfigHome) {
    EnvironmentGuard home("HOME", "/home/ann");
    {
        EnvironmentGuard config("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(linuxConfigFolder(), "/home/ann/.config/almanix");
    }
    {
        EnvironmentGuard config("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(linuxConfigFolder(), "/srv/config/almanix");
    }
    EXPECT_EQ(linuxDataPaths().eventFile(), "/home/ann/Almanix/events.dat");
    EXPECT_EQ(linuxDataPaths().picturesFolder(), "/home/ann/Almanix/pics/");
}

TEST(LinuxPlatform, ShortDateOfTheCLocaleReadsWhatItWrites) {
    EnvironmentGuard all("LC_ALL", "C");
    DatePattern shortDate = localeShortDate();
    EXPECT_EQ(shortDate.format({2026, 12, 6}), "12/06/2026");
    EXPECT_EQ(shortDate.parse("12/06/2026"), (CalendarDate{2026, 12, 6}));
    std::setlocale(LC_ALL, "C");
}

TEST(LinuxPlatform, OnlyOneCopyHoldsTheLock) {
    EnvironmentGuard runtime("XDG_RUNTIME_DIR", ::testing::TempDir().c_str());
    EXPECT_FALSE(anotherLinuxCopyIsRunning());
    // A second open file description of the same lock file is refused.
    EXPECT_TRUE(anotherLinuxCopyIsRunning());
}

} // namespace
} // namespace almanix
