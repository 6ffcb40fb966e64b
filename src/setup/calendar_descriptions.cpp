#include "setup/calendar_descriptions.h"

namespace almanix {

std::string SourceDescriptions::listText(const std::string& source) {
    const LocalDateTime now = clock_.now();
    const SourceReading reading =
        readSource(source, services_, {now.date, now.date}, {clock_.utcSeconds(), now}, LinkFetching::never);
    return displayNameOf(source) + "  (" + reading.state + ")";
}

} // namespace almanix
