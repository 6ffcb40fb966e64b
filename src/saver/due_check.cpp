#include "saver/due_check.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stop_token>
#include <thread>

#include "agenda/agenda.h"
#include "agenda/source_reading.h"

namespace almanix {

namespace {

// How long the end of the saver waits for a rewrite under way to stop, before
// it takes the rewrite's temporary file away itself: well within the limit
// that the shells give the whole end (EndingDeadline::kSaverLimit).
constexpr std::chrono::milliseconds kStopPatience{50};

} // namespace

struct DueCheckThread::Shared {
    DueCheckParts parts;
    std::function<void()> wake;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::int16_t> requests;
    std::deque<DueEvents> answers;
    std::stop_source stop;
    bool checking = false;

    static void run(const std::shared_ptr<Shared>& shared);
};

void checkDueEventsAndCalendars(DueCheckParts& parts, std::int16_t daysBeforeEvent, std::stop_token stop,
                                const std::function<void(DueEvents)>& answer) {
    EventStore store{*parts.files, parts.paths, *parts.shortDate, *parts.clock};
    const DueEvents eventFile = checkDueEvents(store, daysBeforeEvent, stop);
    if (parts.calendarSources.empty() || stop.stop_requested()) {
        answer(eventFile);
        return;
    }
    const LocalDateTime now = parts.clock->now();
    const AgendaWindow window{now.date, dateOfDayNumber(dayNumberOf(now.date) + daysBeforeEvent)};
    const LinkMoment moment{parts.clock->utcSeconds(), now};
    SourceServices services{*parts.files, *parts.zones, *parts.fetcher, parts.cache};
    std::vector<SourceReading> readings;
    for (const std::string& source : parts.calendarSources)
        readings.push_back(readSource(source, services, window, moment, LinkFetching::never));
    const auto merged = [&] {
        std::vector<CalendarItem> items;
        for (const SourceReading& reading : readings)
            items.insert(items.end(), reading.items.begin(), reading.items.end());
        return noticeOf(eventFile, items, *parts.shortDate);
    };
    answer(merged());
    // Only the links whose servers are due are read again: the others' kept copies are in already.
    bool asked = false;
    for (std::size_t index = 0; index < readings.size() && !stop.stop_requested(); ++index) {
        if (!readings[index].serverDue) continue;
        readings[index] = readSource(parts.calendarSources[index], services, window, moment, LinkFetching::whenDue);
        asked = true;
    }
    if (asked && !stop.stop_requested()) answer(merged());
}

void DueCheckThread::Shared::run(const std::shared_ptr<Shared>& shared) {
    const std::stop_token stop = shared->stop.get_token();
    while (true) {
        std::int16_t daysBeforeEvent = 0;
        {
            std::unique_lock lock(shared->mutex);
            shared->checking = false;
            shared->changed.notify_all();
            shared->changed.wait(lock, [&] { return stop.stop_requested() || !shared->requests.empty(); });
            if (stop.stop_requested()) return;
            daysBeforeEvent = shared->requests.front();
            shared->requests.pop_front();
            shared->checking = true;
        }
        checkDueEventsAndCalendars(shared->parts, daysBeforeEvent, stop, [&](DueEvents due) {
            const std::lock_guard lock(shared->mutex);
            if (stop.stop_requested()) return;
            shared->answers.push_back(std::move(due));
            // Under the lock, so that no wake comes after the saver has let go of its window.
            if (shared->wake) shared->wake();
        });
        if (stop.stop_requested()) {
            const std::lock_guard lock(shared->mutex);
            shared->checking = false;
            shared->changed.notify_all();
            return;
        }
    }
}

DueCheckThread::DueCheckThread(DueCheckParts parts) : shared_(std::make_shared<Shared>()) {
    shared_->parts = std::move(parts);
    std::thread(Shared::run, shared_).detach();
}

void DueCheckThread::wakeWith(std::function<void()> wake) {
    const std::lock_guard lock(shared_->mutex);
    shared_->wake = std::move(wake);
    if (shared_->wake && !shared_->answers.empty()) shared_->wake();
}

DueCheckThread::~DueCheckThread() {
    std::unique_lock lock(shared_->mutex);
    shared_->wake = nullptr;
    shared_->stop.request_stop();
    shared_->changed.notify_all();
    // The process may end right after this: let a rewrite take its temporary
    // file with it, or take it away here when the rewrite is held up.
    if (!shared_->changed.wait_for(lock, kStopPatience, [this] { return !shared_->checking; }))
        shared_->parts.files->removeUnfinishedReplacements();
}

void DueCheckThread::check(std::int16_t daysBeforeEvent) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->requests.push_back(daysBeforeEvent);
    }
    shared_->changed.notify_all();
}

void DueCheckThread::deliverAnswers() {
    while (true) {
        DueEvents due;
        {
            const std::lock_guard lock(shared_->mutex);
            if (shared_->answers.empty()) return;
            due = std::move(shared_->answers.front());
            shared_->answers.pop_front();
        }
        if (answers_) answers_->dueEventsChecked(std::move(due));
    }
}

} // namespace almanix
