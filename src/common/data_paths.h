#pragma once

#include <string>
#include <string_view>

namespace almanix {

// Where the event file and the pictures live. The saver never creates the
// folder; the events dialog's OK does, with its pictures folder, when it is missing.
struct DataPaths {
    std::string folder; // "C:\Almanix" on Windows, "~/Almanix" expanded on Linux
    char separator = '\\';
    // How the texts the user reads name the pictures folder.
    std::string picturesFolderText;

    // The new event file is written beside the old one, under this name and a
    // suffix of its own, before it replaces it.
    static constexpr std::string_view kTemporaryEventName = "events.tmp";

    std::string eventFile() const { return folder + separator + "events.dat"; }
    std::string temporaryEventFile() const { return folder + separator + std::string(kTemporaryEventName); }
    std::string picturesFolder() const { return folder + separator + "pics" + separator; }
};

} // namespace almanix
