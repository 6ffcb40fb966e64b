#include "calendars/zone_book.h"

#include <algorithm>

#include "common/calendar_date.h"

namespace almanix {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return (a >= 0 ? a : a - b + 1) / b; }

int yearOf(std::int64_t seconds) { return dateOfDayNumber(floorDivide(seconds, kSecondsPerDay)).year; }

std::int64_t yearStart(int year) { return dayNumberOf({year, 1, 1}) * kSecondsPerDay; }

} // namespace

ZoneBook::ZoneBook(std::vector<FeedZone> feedZones, std::string_view floatingZone, TimeZones& system, int firstYear,
                   int lastYear, ExpansionBudget& budget)
    : feedZones_(std::move(feedZones)),
      system_(system),
      firstYear_(firstYear),
      lastYear_(lastYear),
      budget_(budget) {
    if (!floatingZone.empty()) floating_ = resolve(floatingZone);
}

ZoneKey ZoneBook::zoneOf(const TimeValue& value) {
    switch (value.kind) {
    case TimeKind::utc: return {ZoneKind::utc, 0, {}};
    case TimeKind::zoned: return resolve(value.zone);
    case TimeKind::floating: return floating_;
    case TimeKind::date: break;
    }
    return {};
}

ZoneKey ZoneBook::resolve(std::string_view name) {
    if (const auto found = resolved_.find(name); found != resolved_.end()) return found->second;
    const auto [entry, inserted] = resolved_.try_emplace(std::string(name));
    const std::string_view stableName = entry->first;
    for (std::size_t i = 0; i < feedZones_.size(); ++i)
        if (feedZones_[i].id == name) return entry->second = {ZoneKind::feed, i, {}};
    // An IANA name, a Windows name, or an IANA name behind a path of its maker's ("/example.org/2024/Europe/Berlin").
    for (std::size_t from = 0; from != std::string_view::npos && from < stableName.size();
         from = stableName.find('/', from + 1)) {
        std::string_view candidate = stableName.substr(from);
        if (candidate.starts_with('/')) candidate.remove_prefix(1);
        if (const auto iana = ianaNameOfWindowsZone(candidate)) candidate = *iana;
        if (system_.offsetAt(candidate, 0)) return entry->second = {ZoneKind::system, 0, candidate};
    }
    return entry->second = {};
}

int ZoneBook::offsetAt(const ZoneKey& zone, std::int64_t utc) {
    switch (zone.kind) {
    case ZoneKind::local: return system_.localOffsetAt(utc);
    case ZoneKind::utc: return 0;
    case ZoneKind::feed: return feedOffsetAt(zone.feed, utc);
    case ZoneKind::system: return system_.offsetAt(zone.ianaName, utc).value_or(0);
    }
    return 0;
}

std::int64_t ZoneBook::utcOf(const ZoneKey& zone, std::int64_t wall) {
    if (zone.kind == ZoneKind::utc) return wall;
    const int before = offsetAt(zone, wall - kSecondsPerDay);
    const int after = offsetAt(zone, wall + kSecondsPerDay);
    if (before == after) return wall - before;
    const std::int64_t earlier = wall - before;
    const std::int64_t later = wall - after;
    if (offsetAt(zone, earlier) == before) return earlier;
    if (offsetAt(zone, later) == after) return later;
    return earlier;
}

std::vector<std::int64_t> ZoneBook::onsets(const Observance& observance, std::int64_t from, std::int64_t to) {
    std::vector<std::int64_t> found;
    const auto take = [&](std::int64_t wall) {
        const std::int64_t utc = wall - observance.offsetFrom;
        if (utc >= from && utc < to) found.push_back(utc);
    };
    take(observance.onset);
    for (std::int64_t wall : observance.extraOnsets) take(wall);
    if (const std::optional<RecurrenceRule> rule = parseRecurrenceRule(observance.rule)) {
        std::optional<std::int64_t> until;
        if (rule->until) {
            if (const std::optional<TimeValue> value = parseTimeValue(*rule->until, {}))
                until = value->wall + (value->kind == TimeKind::utc ? observance.offsetFrom : 0);
        }
        expandRecurrence({*rule, observance.onset, false, until}, from + observance.offsetFrom,
                         to + observance.offsetFrom, budget_, [&](std::int64_t wall) {
                             take(wall);
                             return true;
                         });
    }
    std::sort(found.begin(), found.end());
    return found;
}

const ZoneBook::ZoneYear& ZoneBook::zoneYear(std::size_t feed, int year) {
    const auto [entry, inserted] = years_.try_emplace({feed, year});
    ZoneYear& zoneYear = entry->second;
    if (!inserted) return zoneYear;
    const std::vector<Observance>& observances = feedZones_[feed].observances;
    const std::int64_t start = yearStart(year);
    for (const Observance& observance : observances)
        for (std::int64_t utc : onsets(observance, start, yearStart(year + 1)))
            zoneYear.transitions.push_back({utc, observance.offsetTo});
    std::sort(zoneYear.transitions.begin(), zoneYear.transitions.end(),
              [](const Transition& a, const Transition& b) { return a.utc < b.utc; });
    // Before the year, the offset of the latest onset; before any onset, the first one's offset before it.
    std::optional<Transition> latest;
    const Observance* earliest = nullptr;
    for (const Observance& observance : observances) {
        if (earliest == nullptr || observance.onset - observance.offsetFrom < earliest->onset - earliest->offsetFrom)
            earliest = &observance;
        std::vector<std::int64_t> before = onsets(observance, start - 400 * kSecondsPerDay, start);
        if (before.empty()) before = onsets(observance, observance.onset - observance.offsetFrom, start);
        if (!before.empty() && (!latest || before.back() > latest->utc))
            latest = Transition{before.back(), observance.offsetTo};
    }
    zoneYear.offsetAtStart = latest ? latest->offset : earliest != nullptr ? earliest->offsetFrom : 0;
    return zoneYear;
}

int ZoneBook::feedOffsetAt(std::size_t feed, std::int64_t utc) {
    const int year = yearOf(utc);
    const ZoneYear& zone = zoneYear(feed, std::clamp(year, firstYear_, lastYear_));
    if (year < firstYear_) return zone.offsetAtStart;
    if (year > lastYear_) return zone.transitions.empty() ? zone.offsetAtStart : zone.transitions.back().offset;
    const auto after = std::upper_bound(zone.transitions.begin(), zone.transitions.end(), utc,
                                        [](std::int64_t moment, const Transition& t) { return moment < t.utc; });
    return after == zone.transitions.begin() ? zone.offsetAtStart : std::prev(after)->offset;
}

} // namespace almanix
