#include "win32/winhttp_link_fetcher.h"

#include <windows.h>
#include <winhttp.h>

#include <ctime>
#include <memory>
#include <vector>

#include "win32/win32_text.h"

namespace almanix {

namespace {

struct InternetHandleCloser {
    void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetHandleCloser>;

std::optional<std::string> headerOf(HINTERNET request, DWORD query) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (!WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    value.resize(size / sizeof(wchar_t));
    return utf8Of(value);
}

std::optional<DWORD> numberHeaderOf(HINTERNET request, DWORD query) {
    DWORD number = 0, size = sizeof number;
    if (!WinHttpQueryHeaders(request, query | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &number, &size,
                             WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    return number;
}

FetchProblem problemOfLastError() {
    switch (GetLastError()) {
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT: return FetchProblem::timedOut; // as Wine reports a receive time-out
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return FetchProblem::hostNotFound;
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR: // also how Wine reports an untrusted certificate
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED: return FetchProblem::secureConnectionRefused;
    default: return FetchProblem::noAnswer;
    }
}

// WinHTTP limits each step, not the whole: each blocking call gets what is left
// of the fetch's time. False when nothing is left.
bool limitToWhatIsLeft(HINTERNET request, ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    const int left = static_cast<int>(deadline - now); // never 0, which would mean no limit
    DWORD responseLeft = static_cast<DWORD>(left); // waiting for the headers has its own limit
    return WinHttpSetTimeouts(request, left, left, left, left) &&
           WinHttpSetOption(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseLeft, sizeof responseLeft);
}

class Exchanger {
public:
    Exchanger(HINTERNET session, const FetchRequest& request, const FetchLimits& limits)
        : session_(session),
          request_(request),
          limits_(limits),
          deadline_(GetTickCount64() + static_cast<ULONGLONG>(limits.timeLimitMilliseconds)) {}

    HttpExchange exchange(const std::string& address) const {
        std::wstring wideAddress = wideOf(address);
        URL_COMPONENTS parts{};
        parts.dwStructSize = sizeof parts;
        parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
        if (!WinHttpCrackUrl(wideAddress.c_str(), static_cast<DWORD>(wideAddress.size()), 0, &parts) ||
            parts.dwHostNameLength == 0)
            return stoppedExchange(FetchProblem::invalidAddress);
        const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
        const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                                  std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

        const InternetHandle connection(WinHttpConnect(session_, host.c_str(), parts.nPort, 0));
        const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
        const InternetHandle request(connection
                                         ? WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr,
                                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure)
                                         : nullptr);
        if (!request) return stoppedExchange(problemOfLastError());
        // Redirects are followed by the fetch's own rules.
        DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
        if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof noRedirects))
            return stoppedExchange(FetchProblem::redirectRefused);

        std::wstring headers;
        if (request_.etag) headers += L"If-None-Match: " + wideOf(*request_.etag) + L"\r\n";
        if (request_.lastModified) headers += L"If-Modified-Since: " + wideOf(*request_.lastModified) + L"\r\n";
        if (!limitToWhatIsLeft(request.get(), deadline_)) return stoppedExchange(FetchProblem::timedOut);
        if (!WinHttpSendRequest(request.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                                static_cast<DWORD>(headers.size()), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
            !WinHttpReceiveResponse(request.get(), nullptr))
            return stoppedExchange(problemOfLastError());

        HttpExchange result;
        result.status = static_cast<int>(numberHeaderOf(request.get(), WINHTTP_QUERY_STATUS_CODE).value_or(0));
        result.location = headerOf(request.get(), WINHTTP_QUERY_LOCATION);
        result.etag = headerOf(request.get(), WINHTTP_QUERY_ETAG);
        result.lastModified = headerOf(request.get(), WINHTTP_QUERY_LAST_MODIFIED);
        result.retryAfter = headerOf(request.get(), WINHTTP_QUERY_RETRY_AFTER);
        if (result.status >= 200 && result.status <= 299) result.problem = readBody(request.get(), result.body);
        return result;
    }

private:
    // Reads as it comes, so that an endless answer stops at the limit.
    FetchProblem readBody(HINTERNET request, std::string& body) const {
        const auto length = numberHeaderOf(request, WINHTTP_QUERY_CONTENT_LENGTH);
        if (length && *length > limits_.bodyBytes) return FetchProblem::tooLarge;
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            if (!limitToWhatIsLeft(request, deadline_)) return FetchProblem::timedOut;
            DWORD read = 0;
            if (!WinHttpReadData(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read))
                return problemOfLastError();
            if (read == 0) return FetchProblem::none;
            if (body.size() + read > limits_.bodyBytes) return FetchProblem::tooLarge;
            body.append(buffer.data(), read);
        }
    }

    HINTERNET session_;
    const FetchRequest& request_;
    const FetchLimits& limits_;
    ULONGLONG deadline_;
};

} // namespace

FetchAnswer WinHttpLinkFetcher::fetch(const FetchRequest& request) {
    const InternetHandle session(
        WinHttpOpen(L"Almanix", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return failedFetch(FetchProblem::noAnswer);
    // Windows 7 leaves TLS 1.2 off unless asked, and calendar servers require it;
    // where neither set is known the system's own choice stays.
    constexpr DWORD kProtocolChoices[] = {WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3,
                                          WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2};
    for (DWORD protocols : kProtocolChoices)
        if (WinHttpSetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols)) break;
    const Exchanger exchanger(session.get(), request, limits_);
    return fetchFollowingRedirects(request, limits_, static_cast<std::int64_t>(std::time(nullptr)),
                                   [&](const std::string& address) { return exchanger.exchange(address); });
}

} // namespace almanix
