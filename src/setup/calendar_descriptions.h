#pragma once

#include <string>

#include "common/file_system.h"
#include "setup/setup_services.h"

namespace almanix {

// Describes each source by what the file system shows of it, before any is read.
class FileCalendarDescriptions final : public CalendarDescriptions {
public:
    explicit FileCalendarDescriptions(FileSystem& files) : files_(files) {}
    std::string listText(const std::string& source) override;

private:
    FileSystem& files_;
};

} // namespace almanix
