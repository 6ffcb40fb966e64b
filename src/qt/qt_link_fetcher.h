#pragma once

#include "calendars/link_fetcher.h"

namespace almanix {

// Fetches a link with Qt Network, verifying TLS with the system's certificate
// store. Each call makes its own network manager and event loop, so any
// thread may call it, a std::thread too, once a QCoreApplication (or
// QApplication) exists; without one it fails at once.
class QtLinkFetcher final : public LinkFetcher {
public:
    explicit QtLinkFetcher(FetchLimits limits = {}) : limits_(limits) {}
    FetchAnswer fetch(const FetchRequest& request) override;

private:
    FetchLimits limits_;
};

} // namespace almanix
