#pragma once

#include <string>

namespace almanix {

// Where the event file and the pictures live. The folder itself is never created.
struct DataPaths {
    std::string folder; // "C:\Almanix" on Windows, "~/Almanix" expanded on Linux
    char separator = '\\';
    // How the texts the user reads name the pictures folder.
    std::string picturesFolderText;

    std::string eventFile() const { return folder + separator + "events.dat"; }
    std::string temporaryEventFile() const { return folder + separator + "events.tmp"; }
    std::string picturesFolder() const { return folder + separator + "pics" + separator; }
};

} // namespace almanix
