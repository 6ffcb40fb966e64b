#pragma once

#include <QTimeZone>
#include <map>
#include <optional>
#include <string>

#include "calendars/time_zones.h"

namespace almanix {

// The system's zone data, through Qt; each zone is loaded once.
class QtTimeZones final : public TimeZones {
public:
    QtTimeZones();
    std::optional<int> offsetAt(std::string_view ianaName, std::int64_t utcSeconds) override;
    int localOffsetAt(std::int64_t utcSeconds) override;

private:
    QTimeZone local_;
    std::map<std::string, std::optional<QTimeZone>, std::less<>> zones_;
};

} // namespace almanix
