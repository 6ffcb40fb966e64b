#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "events/event_store.h"
#include "events/text_encoding.h"

namespace almanix {

enum class EventFileStatus {
    read,
    unreadable,
    missing,
    notAFile, // a folder, or anything else that holds no bytes, in the file's place
};

struct EventFileText {
    EventFileStatus status = EventFileStatus::missing;
    std::string text; // the whole file's bytes, when it was read
};

// One line of the event file: an event, stored as "#" and its list item, or a
// line the program never writes (no "#" first, an empty one included), which
// is kept as it stands.
enum class EventLineKind { event, kept };

struct EventLine {
    EventLineKind kind = EventLineKind::event;
    std::string text; // the list item of an event; the whole line otherwise

    friend bool operator==(const EventLine&, const EventLine&) = default;
};

struct EventList {
    EventFileStatus status = EventFileStatus::missing;
    // How the file was written, so that it is written back the same way.
    TextEncoding encoding = TextEncoding::plain;
    std::vector<EventLine> lines; // in file order, as the program's text
};

// How long the setup side waits for a due check of another copy to end
// before it tells the user that the file is busy.
inline constexpr std::chrono::milliseconds kDialogLockPatience{1500};

// The event file's bytes.
EventFileText readEventFile(EventStore& store);

// What a failure to read the event file is, for the user; empty for a file
// that was read or is missing.
std::string eventFileProblem(EventFileStatus status, const std::string& path);

// The lines of an event file's text: each ends at CR LF or at a lone LF, as an
// editor may write them; text after the last line end is a last line.
std::vector<std::string_view> eventFileLines(std::string_view fileText);

// dateText + " " + the English day name + " " + content.
std::string makeListItem(std::string_view dateText, int weekday, std::string_view content);

// Every line of the file, in file order, an event without its leading "#".
EventList loadEventList(EventStore& store);

// The file's bytes for these lines: "#" + item for an event, each followed by
// CR LF, in the encoding given (its byte order mark first).
std::string eventFileBytes(const std::vector<EventLine>& lines, TextEncoding encoding);

// Writes every line in the encoding given, replacing the whole file at once
// under the folder's lock, so that a failure leaves the old file whole. False
// when the file could not be written, or the lock stayed busy.
bool saveEventList(EventStore& store, const std::vector<EventLine>& lines, TextEncoding encoding = TextEncoding::plain);

// The user's edits of the lines loaded, applied to the lines the file holds
// now: each line the edits added goes in after the line it followed, each
// line they deleted goes out, and every other line of the file stays.
std::vector<EventLine> applyEdits(const std::vector<EventLine>& loaded, const std::vector<EventLine>& edited,
                                  std::vector<EventLine> current);

enum class EventSaveStatus {
    saved,
    busy, // another copy held the folder's lock for as long as the dialog waits
    unreadable, // the file is there but cannot be read: writing would lose its events
    failed, // the file could not be written; it is as it was
};

struct EventSave {
    EventSaveStatus status = EventSaveStatus::failed;
    // True when the file had changed since it was loaded, and the edits were
    // applied to what it held then.
    bool merged = false;
    EventFileText before; // the file just before it was replaced
    std::string written; // the bytes that replaced it
};

// Saves the dialog's edited lines under the folder's lock, replacing the whole
// file at once. When another copy changed the file since it was loaded, the
// edits are applied to the file as it is now, so that none of its events is
// lost. Waits for the lock no longer than the dialog may.
EventSave saveEditedEventList(EventStore& store, const EventList& loaded, const std::vector<EventLine>& edited);

// Puts the event file back as it was before a save, unless another copy has
// written it since. False when that could not be done.
bool restoreEventFile(EventStore& store, const EventSave& save);

// Writes these bytes over the event file; the caller holds the folder's lock.
// Temporary files that a copy killed while it wrote left behind go first.
bool replaceEventFile(EventStore& store, std::string_view bytes);
// The same temporary files alone, for a writer that writes piece by piece.
void removeStaleTemporaryFiles(EventStore& store);

} // namespace almanix
