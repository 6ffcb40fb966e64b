#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "calendars/kept_copy.h"
#include "calendars/link_fetcher.h"
#include "calendars/time_zones.h"
#include "common/calendar_date.h"
#include "common/data_paths.h"
#include "common/file_system.h"
#include "events/due_events.h"
#include "events/short_date.h"

namespace almanix {

// Where the due check's answers go, on the saver's own thread.
class DueCheckAnswers {
public:
    virtual ~DueCheckAnswers() = default;
    virtual void dueEventsChecked(DueEvents due) = 0;
};

// Checks the due events away from the saver's tick: reading and rewriting a
// large event file, or waiting while another copy holds the folder's lock,
// takes as long as it takes. Each check is answered later, in the order asked.
class DueCheck {
public:
    virtual ~DueCheck() = default;
    virtual void answerTo(DueCheckAnswers& answers) = 0;
    virtual void check(std::int16_t daysBeforeEvent) = 0;
};

// What a check on a thread of its own works with. The thread owns it, so that
// the thread never has to be joined: the process may end while it waits.
struct DueCheckParts {
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<ShortDate> shortDate;
    std::unique_ptr<Clock> clock;
    DataPaths paths;
    // The calendars announced beside the event file, and what reading them needs.
    std::vector<std::string> calendarSources{};
    std::unique_ptr<TimeZones> zones{};
    std::unique_ptr<LinkFetcher> fetcher{};
    CacheFolder cache{};
};

// The due events of the event file with the calendars' merged in. The event
// file is checked and rewritten first; answer then hears of the due events
// with the calendars' files and the links' kept copies, at once, and once more
// when a link was asked of its server.
void checkDueEventsAndCalendars(DueCheckParts& parts, std::int16_t daysBeforeEvent, std::stop_token stop,
                                const std::function<void(DueEvents)>& answer);

// The due check on a thread of its own. The thread calls the wake it was
// given when an answer waits; the shell then calls deliverAnswers on the
// saver's thread.
class DueCheckThread final : public DueCheck {
public:
    explicit DueCheckThread(DueCheckParts parts);
    // Stops a rewrite under way, which removes its temporary file, and waits a
    // moment for that; a thread still waiting for the lock is left behind.
    ~DueCheckThread() override;
    DueCheckThread(const DueCheckThread&) = delete;
    DueCheckThread& operator=(const DueCheckThread&) = delete;

    void answerTo(DueCheckAnswers& answers) override { answers_ = &answers; }
    void check(std::int16_t daysBeforeEvent) override;
    // Called on the checking thread; none for an empty function.
    void wakeWith(std::function<void()> wake);
    void deliverAnswers();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    DueCheckAnswers* answers_ = nullptr;
};

} // namespace almanix
