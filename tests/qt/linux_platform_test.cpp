#include <gtest/gtest.h>

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

} // namespace
} // namespace almanix
