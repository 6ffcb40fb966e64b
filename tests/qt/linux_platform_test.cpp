#include <gtest/gtest.h>

#include <QToolButton>
#include <cstdlib>
#include <ctime>

#include "qt/linux_platform.h"
#include "qt/qt_calendar.h"
#include "qt/qt_time_zones.h"
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

} // namespace
} // namespace almanix
