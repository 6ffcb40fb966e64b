#pragma once

#include <string>

#include "agenda/source_reading.h"
#include "common/calendar_date.h"
#include "setup/setup_services.h"

namespace almanix {

// Describes each source by reading it as the saver starts: a file or a folder
// as it is, a link by its kept copy, never asking a server.
class SourceDescriptions final : public CalendarDescriptions {
public:
    SourceDescriptions(SourceServices services, Clock& clock) : services_(services), clock_(clock) {}
    std::string listText(const std::string& source) override;

private:
    SourceServices services_;
    Clock& clock_;
};

} // namespace almanix
