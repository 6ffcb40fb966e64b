#include "qt/qt_time_zones.h"

#include <QDateTime>

namespace almanix {

namespace {

int offsetIn(const QTimeZone& zone, std::int64_t utcSeconds) {
    return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC));
}

} // namespace

QtTimeZones::QtTimeZones() : local_(QTimeZone::systemTimeZone()) {}

std::optional<int> QtTimeZones::offsetAt(std::string_view ianaName, std::int64_t utcSeconds) {
    auto found = zones_.find(ianaName);
    if (found == zones_.end()) {
        QTimeZone zone(QByteArray(ianaName.data(), static_cast<qsizetype>(ianaName.size())));
        found = zones_.emplace(std::string(ianaName), zone.isValid() ? std::optional(zone) : std::nullopt).first;
    }
    if (!found->second) return std::nullopt;
    return offsetIn(*found->second, utcSeconds);
}

int QtTimeZones::localOffsetAt(std::int64_t utcSeconds) { return offsetIn(local_, utcSeconds); }

} // namespace almanix
