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
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvironmentGuard() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The end-to-end runs set HOME and XDG_CONFIG_HOME and find their files there;
// without an absolute XDG_CONFIG_HOME the settings go under the home folder.
TEST(LinuxPlatform, TheConfigFolderFallsBackToTheHomeFolder) {
    EnvironmentGuard home("HOME", "/home/ann");
    for (const char* config : {static_cast<const char*>(nullptr), "relative/config"}) {
        EnvironmentGuard guard("XDG_CONFIG_HOME", config);
        EXPECT_EQ(linuxConfigFolder(), "/home/ann/.config/almanix");
    }
}

} // namespace
} // namespace almanix
