#include "calendars/time_zones.h"

#include <array>
#include <cctype>

#include "common/calendar_date.h"

namespace almanix {

namespace {

constexpr int kSecondsPerDay = 86400;

std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return (a >= 0 ? a : a - b + 1) / b; }

// Reads a POSIX TZ text from its front.
class PosixReader {
public:
    explicit PosixReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return text_.empty(); }
    bool take(char wanted) {
        if (text_.empty() || text_.front() != wanted) return false;
        text_.remove_prefix(1);
        return true;
    }
    bool startsWithNumber() const {
        return !text_.empty() && (std::isdigit(static_cast<unsigned char>(text_.front())) || text_.front() == '+' ||
                                  text_.front() == '-');
    }

    // "CET" or "<+0330>".
    bool skipName() {
        if (take('<')) {
            const std::size_t end = text_.find('>');
            if (end == std::string_view::npos) return false;
            text_.remove_prefix(end + 1);
            return true;
        }
        std::size_t length = 0;
        while (length < text_.size() && std::isalpha(static_cast<unsigned char>(text_[length]))) ++length;
        text_.remove_prefix(length);
        return length >= 3;
    }

    std::optional<int> number(int largest) {
        int value = 0;
        std::size_t length = 0;
        for (; length < text_.size() && length < 3 && std::isdigit(static_cast<unsigned char>(text_[length])); ++length)
            value = value * 10 + (text_[length] - '0');
        if (length == 0 || value > largest) return std::nullopt;
        text_.remove_prefix(length);
        return value;
    }

    // [+-]hh[:mm[:ss]] as seconds.
    std::optional<int> signedTime(int largestHour) {
        const int sign = take('-') ? -1 : (take('+'), 1);
        int seconds = 0;
        int scale = 3600;
        for (int part = 0; part < 3; ++part) {
            if (part > 0 && !take(':')) break;
            const std::optional<int> value = number(part == 0 ? largestHour : 59);
            if (!value) return std::nullopt;
            seconds += *value * scale;
            scale /= 60;
        }
        return sign * seconds;
    }

    // ",Mm.w.d[/time]"
    std::optional<ZoneChangeDay> changeDay() {
        ZoneChangeDay change;
        if (!take(',') || !take('M')) return std::nullopt;
        const std::optional<int> month = number(12);
        if (!month || *month == 0 || !take('.')) return std::nullopt;
        const std::optional<int> week = number(5);
        if (!week || *week == 0 || !take('.')) return std::nullopt;
        const std::optional<int> weekday = number(6);
        if (!weekday) return std::nullopt;
        change = {*month, *week, *weekday + 1, 7200};
        if (take('/')) {
            const std::optional<int> time = signedTime(167);
            if (!time) return std::nullopt;
            change.secondsOfDay = *time;
        }
        return change;
    }

private:
    std::string_view text_;
};

constexpr std::string_view kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr std::string_view kEasternEurope = "EET-2EEST,M3.5.0/3,M10.5.0/4";
constexpr std::string_view kUsPacific = "PST8PDT,M3.2.0,M11.1.0";
constexpr std::string_view kUsMountain = "MST7MDT,M3.2.0,M11.1.0";
constexpr std::string_view kUsCentral = "CST6CDT,M3.2.0,M11.1.0";
constexpr std::string_view kUsEastern = "EST5EDT,M3.2.0,M11.1.0";
constexpr std::string_view kAustraliaEast = "AEST-10AEDT,M10.1.0,M4.1.0/3";

// The present rules of common zones, and the Windows names of their zones.
constexpr std::array kKnownZones{
    KnownZone{"Etc/UTC", "UTC", "UTC0"},
    KnownZone{"UTC", "UTC", "UTC0"},
    KnownZone{"Etc/GMT", "", "GMT0"},
    KnownZone{"GMT", "", "GMT0"},
    KnownZone{"Etc/GMT+12", "Dateline Standard Time", "<-12>12"},
    KnownZone{"Etc/GMT+11", "UTC-11", "<-11>11"},
    KnownZone{"Pacific/Honolulu", "Hawaiian Standard Time", "HST10"},
    KnownZone{"America/Anchorage", "Alaskan Standard Time", "AKST9AKDT,M3.2.0,M11.1.0"},
    KnownZone{"America/Los_Angeles", "Pacific Standard Time", kUsPacific},
    KnownZone{"America/Vancouver", "Pacific Standard Time", kUsPacific},
    KnownZone{"America/Tijuana", "Pacific Standard Time (Mexico)", kUsPacific},
    KnownZone{"America/Phoenix", "US Mountain Standard Time", "MST7"},
    KnownZone{"America/Denver", "Mountain Standard Time", kUsMountain},
    KnownZone{"America/Edmonton", "Mountain Standard Time", kUsMountain},
    KnownZone{"America/Mazatlan", "Mountain Standard Time (Mexico)", "MST7"},
    KnownZone{"America/Chicago", "Central Standard Time", kUsCentral},
    KnownZone{"America/Winnipeg", "Central Standard Time", kUsCentral},
    KnownZone{"America/Mexico_City", "Central Standard Time (Mexico)", "CST6"},
    KnownZone{"America/Regina", "Canada Central Standard Time", "CST6"},
    KnownZone{"America/Guatemala", "Central America Standard Time", "CST6"},
    KnownZone{"America/New_York", "Eastern Standard Time", kUsEastern},
    KnownZone{"America/Toronto", "Eastern Standard Time", kUsEastern},
    KnownZone{"America/Detroit", "Eastern Standard Time", kUsEastern},
    KnownZone{"America/Indiana/Indianapolis", "US Eastern Standard Time", kUsEastern},
    KnownZone{"America/Bogota", "SA Pacific Standard Time", "<-05>5"},
    KnownZone{"America/Lima", "SA Pacific Standard Time", "<-05>5"},
    KnownZone{"America/Caracas", "Venezuela Standard Time", "<-04>4"},
    KnownZone{"America/La_Paz", "SA Western Standard Time", "<-04>4"},
    KnownZone{"America/Halifax", "Atlantic Standard Time", "AST4ADT,M3.2.0,M11.1.0"},
    KnownZone{"America/St_Johns", "Newfoundland Standard Time", "NST3:30NDT,M3.2.0,M11.1.0"},
    KnownZone{"America/Santiago", "Pacific SA Standard Time", "<-04>4<-03>,M9.1.6/24,M4.1.6/24"},
    KnownZone{"America/Sao_Paulo", "E. South America Standard Time", "<-03>3"},
    KnownZone{"America/Argentina/Buenos_Aires", "Argentina Standard Time", "<-03>3"},
    KnownZone{"America/Buenos_Aires", "Argentina Standard Time", "<-03>3"},
    KnownZone{"America/Cayenne", "SA Eastern Standard Time", "<-03>3"},
    KnownZone{"Etc/GMT+2", "UTC-02", "<-02>2"},
    KnownZone{"Atlantic/Azores", "Azores Standard Time", "<-01>1<+00>,M3.5.0/0,M10.5.0/1"},
    KnownZone{"Atlantic/Reykjavik", "Greenwich Standard Time", "GMT0"},
    KnownZone{"Europe/London", "GMT Standard Time", "GMT0BST,M3.5.0/1,M10.5.0"},
    KnownZone{"Europe/Dublin", "GMT Standard Time", "IST-1GMT0,M10.5.0,M3.5.0/1"},
    KnownZone{"Europe/Lisbon", "GMT Standard Time", "WET0WEST,M3.5.0/1,M10.5.0"},
    KnownZone{"Europe/Berlin", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Amsterdam", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Rome", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Vienna", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Zurich", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Stockholm", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Oslo", "W. Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Budapest", "Central Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Prague", "Central Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Belgrade", "Central Europe Standard Time", kCentralEurope},
    KnownZone{"Europe/Paris", "Romance Standard Time", kCentralEurope},
    KnownZone{"Europe/Brussels", "Romance Standard Time", kCentralEurope},
    KnownZone{"Europe/Madrid", "Romance Standard Time", kCentralEurope},
    KnownZone{"Europe/Copenhagen", "Romance Standard Time", kCentralEurope},
    KnownZone{"Europe/Warsaw", "Central European Standard Time", kCentralEurope},
    KnownZone{"Europe/Zagreb", "Central European Standard Time", kCentralEurope},
    KnownZone{"Africa/Lagos", "W. Central Africa Standard Time", "WAT-1"},
    KnownZone{"Europe/Bucharest", "GTB Standard Time", kEasternEurope},
    KnownZone{"Europe/Athens", "GTB Standard Time", kEasternEurope},
    KnownZone{"Europe/Kiev", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Kyiv", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Helsinki", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Riga", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Tallinn", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Vilnius", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Sofia", "FLE Standard Time", kEasternEurope},
    KnownZone{"Europe/Chisinau", "E. Europe Standard Time", "EET-2EEST,M3.5.0,M10.5.0/3"},
    KnownZone{"Asia/Beirut", "Middle East Standard Time", "EET-2EEST,M3.5.0/0,M10.5.0/0"},
    KnownZone{"Asia/Jerusalem", "Israel Standard Time", "IST-2IDT,M3.4.4/26,M10.5.0"},
    KnownZone{"Africa/Cairo", "Egypt Standard Time", "EET-2EEST,M4.5.5/0,M10.5.4/24"},
    KnownZone{"Africa/Johannesburg", "South Africa Standard Time", "SAST-2"},
    KnownZone{"Europe/Istanbul", "Turkey Standard Time", "<+03>-3"},
    KnownZone{"Europe/Minsk", "Belarus Standard Time", "<+03>-3"},
    KnownZone{"Europe/Moscow", "Russian Standard Time", "MSK-3"},
    KnownZone{"Asia/Riyadh", "Arab Standard Time", "<+03>-3"},
    KnownZone{"Africa/Nairobi", "E. Africa Standard Time", "EAT-3"},
    KnownZone{"Asia/Tehran", "Iran Standard Time", "<+0330>-3:30"},
    KnownZone{"Asia/Dubai", "Arabian Standard Time", "<+04>-4"},
    KnownZone{"Asia/Tbilisi", "Georgian Standard Time", "<+04>-4"},
    KnownZone{"Asia/Yerevan", "Caucasus Standard Time", "<+04>-4"},
    KnownZone{"Asia/Kabul", "Afghanistan Standard Time", "<+0430>-4:30"},
    KnownZone{"Asia/Karachi", "Pakistan Standard Time", "PKT-5"},
    KnownZone{"Asia/Tashkent", "West Asia Standard Time", "<+05>-5"},
    KnownZone{"Asia/Yekaterinburg", "Ekaterinburg Standard Time", "<+05>-5"},
    KnownZone{"Asia/Calcutta", "India Standard Time", "IST-5:30"},
    KnownZone{"Asia/Kolkata", "India Standard Time", "IST-5:30"},
    KnownZone{"Asia/Colombo", "Sri Lanka Standard Time", "<+0530>-5:30"},
    KnownZone{"Asia/Katmandu", "Nepal Standard Time", "<+0545>-5:45"},
    KnownZone{"Asia/Kathmandu", "Nepal Standard Time", "<+0545>-5:45"},
    KnownZone{"Asia/Dhaka", "Bangladesh Standard Time", "<+06>-6"},
    KnownZone{"Asia/Yangon", "Myanmar Standard Time", "<+0630>-6:30"},
    KnownZone{"Asia/Bangkok", "SE Asia Standard Time", "<+07>-7"},
    KnownZone{"Asia/Jakarta", "SE Asia Standard Time", "WIB-7"},
    KnownZone{"Asia/Shanghai", "China Standard Time", "CST-8"},
    KnownZone{"Asia/Hong_Kong", "China Standard Time", "HKT-8"},
    KnownZone{"Asia/Singapore", "Singapore Standard Time", "<+08>-8"},
    KnownZone{"Asia/Kuala_Lumpur", "Singapore Standard Time", "<+08>-8"},
    KnownZone{"Asia/Taipei", "Taipei Standard Time", "CST-8"},
    KnownZone{"Australia/Perth", "W. Australia Standard Time", "AWST-8"},
    KnownZone{"Asia/Tokyo", "Tokyo Standard Time", "JST-9"},
    KnownZone{"Asia/Seoul", "Korea Standard Time", "KST-9"},
    KnownZone{"Australia/Adelaide", "Cen. Australia Standard Time", "ACST-9:30ACDT,M10.1.0,M4.1.0/3"},
    KnownZone{"Australia/Darwin", "AUS Central Standard Time", "ACST-9:30"},
    KnownZone{"Australia/Brisbane", "E. Australia Standard Time", "AEST-10"},
    KnownZone{"Australia/Sydney", "AUS Eastern Standard Time", kAustraliaEast},
    KnownZone{"Australia/Melbourne", "AUS Eastern Standard Time", kAustraliaEast},
    KnownZone{"Australia/Hobart", "Tasmania Standard Time", kAustraliaEast},
    KnownZone{"Pacific/Port_Moresby", "West Pacific Standard Time", "<+10>-10"},
    KnownZone{"Pacific/Auckland", "New Zealand Standard Time", "NZST-12NZDT,M9.5.0,M4.1.0/3"},
    KnownZone{"Etc/GMT-12", "UTC+12", "<+12>-12"},
    KnownZone{"Pacific/Fiji", "Fiji Standard Time", "<+12>-12"},
    KnownZone{"Pacific/Tongatapu", "Tonga Standard Time", "<+13>-13"},
    KnownZone{"Pacific/Apia", "Samoa Standard Time", "<+13>-13"},
    KnownZone{"Pacific/Kiritimati", "Line Islands Standard Time", "<+14>-14"},
};

const KnownZone* findZone(std::string_view ianaName) {
    for (const KnownZone& zone : kKnownZones)
        if (zone.ianaName == ianaName) return &zone;
    return nullptr;
}

} // namespace

std::int64_t dayNumberOfChange(const ZoneChangeDay& change, int year) {
    const std::int64_t first = dayNumberOf({year, change.month, 1});
    const int firstWeekday = weekdayOf({year, change.month, 1});
    std::int64_t day = first + (change.weekday - firstWeekday + 7) % 7 + (change.week - 1) * 7;
    const std::int64_t nextMonth =
        change.month == 12 ? dayNumberOf({year + 1, 1, 1}) : dayNumberOf({year, change.month + 1, 1});
    while (day >= nextMonth) day -= 7;
    return day;
}

int offsetUnderRule(const ZoneRule& rule, std::int64_t utcSeconds) {
    if (!rule.daylight) return rule.standardOffset;
    const DaylightSaving& daylight = *rule.daylight;
    const int year = dateOfDayNumber(floorDivide(utcSeconds + rule.standardOffset, kSecondsPerDay)).year;
    const std::int64_t start =
        dayNumberOfChange(daylight.start, year) * kSecondsPerDay + daylight.start.secondsOfDay - rule.standardOffset;
    const std::int64_t end =
        dayNumberOfChange(daylight.end, year) * kSecondsPerDay + daylight.end.secondsOfDay - daylight.offset;
    // South of the equator daylight saving time spans the turn of the year.
    const bool daylightTime =
        start < end ? utcSeconds >= start && utcSeconds < end : utcSeconds >= start || utcSeconds < end;
    return daylightTime ? daylight.offset : rule.standardOffset;
}

std::optional<ZoneRule> parsePosixZoneRule(std::string_view text) {
    PosixReader reader(text);
    ZoneRule rule;
    if (!reader.skipName()) return std::nullopt;
    const std::optional<int> standard = reader.signedTime(24);
    if (!standard) return std::nullopt;
    rule.standardOffset = -*standard;
    if (reader.atEnd()) return rule;
    if (!reader.skipName()) return std::nullopt;
    DaylightSaving daylight{rule.standardOffset + 3600, {}, {}};
    if (reader.startsWithNumber()) {
        const std::optional<int> offset = reader.signedTime(24);
        if (!offset) return std::nullopt;
        daylight.offset = -*offset;
    }
    const std::optional<ZoneChangeDay> start = reader.changeDay();
    const std::optional<ZoneChangeDay> end = start ? reader.changeDay() : std::nullopt;
    if (!end || !reader.atEnd()) return std::nullopt;
    daylight.start = *start;
    daylight.end = *end;
    rule.daylight = daylight;
    return rule;
}

std::span<const KnownZone> knownZones() { return kKnownZones; }

std::optional<std::string_view> ianaNameOfWindowsZone(std::string_view windowsName) {
    for (const KnownZone& zone : kKnownZones)
        if (zone.windowsName == windowsName && !windowsName.empty()) return zone.ianaName;
    return std::nullopt;
}

std::optional<std::string_view> windowsNameOfZone(std::string_view ianaName) {
    const KnownZone* zone = findZone(ianaName);
    if (zone == nullptr || zone->windowsName.empty()) return std::nullopt;
    return zone->windowsName;
}

std::optional<ZoneRule> knownZoneRule(std::string_view ianaName) {
    const KnownZone* zone = findZone(ianaName);
    if (zone == nullptr) return std::nullopt;
    return parsePosixZoneRule(zone->posixRule);
}

KnownRuleTimeZones::KnownRuleTimeZones(std::string_view localZone)
    : local_(knownZoneRule(localZone).value_or(ZoneRule{})) {}

std::optional<int> KnownRuleTimeZones::offsetAt(std::string_view ianaName, std::int64_t utcSeconds) {
    const std::optional<ZoneRule> rule = knownZoneRule(ianaName);
    if (!rule) return std::nullopt;
    return offsetUnderRule(*rule, utcSeconds);
}

int KnownRuleTimeZones::localOffsetAt(std::int64_t utcSeconds) { return offsetUnderRule(local_, utcSeconds); }

} // namespace almanix
