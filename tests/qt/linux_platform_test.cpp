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

} // namespace
} // namespace almanix
