#pragma once

#include "calendars/link_fetcher.h"

namespace almanix {

// Fetches a link with WinHTTP, a part of Windows, which checks certificates
// against the system's store. Each call opens its own session, so any thread
// may call it.
class WinHttpLinkFetcher final : public LinkFetcher {
public:
    explicit WinHttpLinkFetcher(FetchLimits limits = {}) : limits_(limits) {}
    FetchAnswer fetch(const FetchRequest& request) override;

private:
    FetchLimits limits_;
};

} // namespace almanix
