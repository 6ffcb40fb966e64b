#include "events/due_events.h"

#include "common/text_lines.h"
#include "events/date_pattern.h"
#include "events/text_encoding.h"

namespace almanix {

namespace {

enum class LineKind { expired, due, later, unreadable };

constexpr std::size_t kMostDateReadings = 4096;

// Sunday = 1 to Saturday = 7 for the day names the program writes; 0 for any other word.
int weekdayNamed(std::string_view name) {
    for (int weekday = 1; weekday <= 7; ++weekday)
        if (dayNameOf(weekday) == name) return weekday;
    return 0;
}

// The date of a line, read so that it agrees with the line's day name: the file
// may have been written in another locale's order than the one that reads it.
// The locale's reading comes first, then the other orders of the same numbers;
// when none agrees, or two different dates do, the line has no date.
std::optional<CalendarDate> eventDate(std::string_view dateText, std::string_view dayName, ShortDate& shortDate) {
    const auto localeReading = shortDate.parse(dateText);
    const int weekday = weekdayNamed(dayName);
    if (weekday == 0 || (localeReading && weekdayOf(*localeReading) == weekday)) return localeReading;
    std::optional<CalendarDate> agreeing;
    for (const CalendarDate& reading : DatePattern::readingsInEveryOrder(dateText)) {
        if (weekdayOf(reading) != weekday) continue;
        if (agreeing && *agreeing != reading) return std::nullopt;
        agreeing = reading;
    }
    return agreeing;
}

// A line the program wrote is "#", a date text, a space, the day name and the
// rest of the item. Anything else is kept as it stands and never announced.
struct LineDate {
    LineKind kind = LineKind::unreadable;
    CalendarDate date; // when the line has one
};

LineDate classify(std::string_view line, std::int64_t today, std::int16_t daysBeforeEvent, ShortDate& shortDate,
                  DateReadings& readings) {
    if (!line.starts_with('#') || line.find('\r') != std::string_view::npos) return {};
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 1) return {};
    const std::string_view afterDate = line.substr(space + 1);
    const std::string_view dayName = afterDate.substr(0, afterDate.find(' '));
    // A file holds many events of one day: each date with its day name is read
    // once a check, as the platform's reading may be slow.
    std::string key(line.substr(1, space + dayName.size()));
    auto reading = readings.find(key);
    if (reading == readings.end()) {
        if (readings.size() >= kMostDateReadings) readings.clear();
        reading = readings.emplace(std::move(key), eventDate(line.substr(1, space - 1), dayName, shortDate)).first;
    }
    const std::optional<CalendarDate>& date = reading->second;
    if (!date) return {};

    const std::int64_t days = dayNumberOf(*date) - today;
    if (days < 0) return {LineKind::expired, *date};
    if (days <= daysBeforeEvent) return {LineKind::due, *date};
    return {LineKind::later, *date};
}

} // namespace

EventScanner::EventScanner(std::int64_t today, std::int16_t daysBeforeEvent, ShortDate& shortDate, Sink keep)
    : today_(today),
      daysBeforeEvent_(daysBeforeEvent),
      shortDate_(shortDate),
      keep_(std::move(keep)) {}

void EventScanner::scan(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view piece = text.substr(0, end);
        if (tail_ != Tail::none) {
            passTail(piece);
        } else {
            const std::size_t room = kLongestReadLine - line_.size();
            line_.append(piece.substr(0, room));
            if (piece.size() > room) {
                sortLine(line_);
                passTail(piece.substr(room));
            }
        }
        if (end == std::string_view::npos) return;
        endLine();
        text.remove_prefix(end + 1);
    }
}

void EventScanner::finish() {
    if (tail_ == Tail::kept && carriageReturnHeld_) keep_("\r");
    // A last line keeps a CR at its end: only CR LF ends a line.
    if (tail_ != Tail::none || !line_.empty()) {
        carriageReturnHeld_ = false;
        if (tail_ == Tail::none && line_.back() == '\r') line_ += '\r';
        endLine();
    }
}

void EventScanner::endLine() {
    if (tail_ == Tail::none) {
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        sortLine(line_);
    }
    if (tail_ == Tail::kept) keep_(kLineEnd);
    tail_ = Tail::none;
    carriageReturnHeld_ = false;
    line_.clear();
}

void EventScanner::sortLine(std::string_view line) {
    const auto [kind, date] = classify(line, today_, daysBeforeEvent_, shortDate_, dateReadings_);
    if (kind == LineKind::expired) {
        tail_ = Tail::dropped;
        return;
    }
    if (kind == LineKind::due && ++dueCount_ <= static_cast<int>(kMostAnnouncedEvents)) {
        dueText_ += kLineEnd;
        dueText_ += line.substr(1);
        dueDates_.push_back(date);
    }
    keep_(line);
    tail_ = Tail::kept;
}

void EventScanner::passTail(std::string_view piece) {
    if (tail_ != Tail::kept || piece.empty()) return;
    // A CR at the end of a piece may be the one of the line's CR LF: held until the next byte shows.
    if (carriageReturnHeld_) keep_("\r");
    carriageReturnHeld_ = piece.back() == '\r';
    keep_(carriageReturnHeld_ ? piece.substr(0, piece.size() - 1) : piece);
}

EventScan scanEvents(std::string_view fileText, std::int64_t today, std::int16_t daysBeforeEvent,
                     ShortDate& shortDate) {
    EventScan scan;
    scan.keptText.reserve(fileText.size() + kLineEnd.size());
    EventScanner scanner(today, daysBeforeEvent, shortDate, [&](std::string_view kept) { scan.keptText += kept; });
    scanner.scan(fileText);
    scanner.finish();
    scan.dueCount = scanner.dueCount();
    scan.dueText = std::move(scanner.dueText());
    return scan;
}

namespace {

constexpr std::size_t kPiece = 1 << 16;
// How long one wait for the folder's lock lasts before a stop is looked for.
constexpr std::chrono::milliseconds kLockRetry{20};

} // namespace

DueEvents checkDueEvents(EventStore& store, std::int16_t daysBeforeEvent, std::stop_token stop, ExpiredEvents expired) {
    // Other copies may check or save the file meanwhile: one read and rewrite
    // under one lock, so that no copy writes back a list that misses an event.
    // A file is replaced whole, so that reading alone needs no lock.
    FolderLockResult lock;
    while (expired == ExpiredEvents::dropped) {
        lock = store.files.lockFolder(store.paths.folder, kLockRetry);
        if (lock.status != FolderLockStatus::busy || stop.stop_requested()) break;
    }
    if (stop.stop_requested()) return {};
    const std::string path = store.paths.eventFile();
    OpenedFile file = store.files.openForReading(path);
    if (file.status != FileOpening::opened) {
        const EventFileStatus status = file.status == FileOpening::missing    ? EventFileStatus::missing
                                       : file.status == FileOpening::notAFile ? EventFileStatus::notAFile
                                                                              : EventFileStatus::unreadable;
        return {status, 0, {}};
    }

    // The first bytes tell the encoding: read until there are three, or the file ends.
    std::string buffer(kPiece, '\0');
    std::size_t filled = 0;
    while (filled < 3) {
        const auto count = file.reader->read(buffer.data() + filled, buffer.size() - filled);
        if (!count) return {EventFileStatus::unreadable, 0, {}};
        if (*count == 0) break;
        filled += *count;
    }
    const TextEncoding encoding = encodingOf(std::string_view(buffer.data(), filled));
    TextDecoder decoder(encoding);
    TextEncoder encoder(encoding);

    // A failed rewrite, or one without the lock, keeps the old file; its
    // expired events go at a later check.
    std::unique_ptr<ReplacementFile> replacement;
    if (lock.status == FolderLockStatus::held) {
        removeStaleTemporaryFiles(store);
        replacement = store.files.startReplacing(path, store.paths.temporaryEventFile());
    }
    std::string bytes(byteOrderMark(encoding));
    const auto flush = [&](std::size_t atLeast) {
        if (bytes.size() < atLeast) return;
        if (replacement && !replacement->write(bytes)) replacement.reset();
        bytes.clear();
    };
    EventScanner scanner(dayNumberOf(store.clock.now().date), daysBeforeEvent, store.shortDate,
                         [&](std::string_view kept) {
                             if (!replacement) return;
                             encoder.encode(kept, bytes);
                             flush(kPiece);
                         });
    std::string text;
    std::string_view read(buffer.data() + byteOrderMark(encoding).size(), filled - byteOrderMark(encoding).size());
    while (true) {
        // Dropped with the replacement, the new file goes, and the old one stays.
        if (stop.stop_requested()) return {};
        text.clear();
        decoder.decode(read, text);
        scanner.scan(text);
        const auto count = file.reader->read(buffer.data(), buffer.size());
        if (!count) return {EventFileStatus::unreadable, 0, {}};
        if (*count == 0) break;
        read = std::string_view(buffer.data(), *count);
    }
    text.clear();
    decoder.finish(text);
    scanner.scan(text);
    scanner.finish();
    encoder.finish(bytes);
    flush(0);
    // Read whole: let go of it before the new file takes its place.
    file.reader.reset();
    if (replacement) replacement->commit();
    return {EventFileStatus::read, scanner.dueCount(), std::move(scanner.dueText()), std::move(scanner.dueDates())};
}

} // namespace almanix
