#include "qt/qt_link_fetcher.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <memory>

namespace almanix {

namespace {

std::optional<std::string> headerOf(const QNetworkReply& reply, const char* name) {
    if (!reply.hasRawHeader(name)) return std::nullopt;
    return reply.rawHeader(name).toStdString();
}

FetchProblem problemOf(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError: return FetchProblem::hostNotFound;
    case QNetworkReply::TimeoutError: return FetchProblem::timedOut;
    case QNetworkReply::SslHandshakeFailedError: return FetchProblem::secureConnectionRefused;
    default: return FetchProblem::noAnswer;
    }
}

HttpExchange exchange(QEventLoop& loop, QNetworkAccessManager& manager, const std::string& address,
                      const FetchRequest& request, const QDeadlineTimer& deadline, std::size_t bodyLimit) {
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(address));
    if (!url.isValid() || url.host().isEmpty()) return stoppedExchange(FetchProblem::invalidAddress);
    QNetworkRequest networkRequest(url);
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    networkRequest.setHeader(QNetworkRequest::UserAgentHeader, "Almanix");
    if (request.etag) networkRequest.setRawHeader("If-None-Match", QByteArray::fromStdString(*request.etag));
    if (request.lastModified)
        networkRequest.setRawHeader("If-Modified-Since", QByteArray::fromStdString(*request.lastModified));

    const std::unique_ptr<QNetworkReply> owned(manager.get(networkRequest));
    QNetworkReply& reply = *owned;
    HttpExchange result;
    const auto giveUp = [&](FetchProblem problem) {
        if (result.problem == FetchProblem::none) result.problem = problem;
        reply.abort();
    };
    // Read as it comes, so that an endless answer stops at the limit.
    const auto take = [&] {
        const QByteArray chunk = reply.readAll();
        if (result.body.size() + static_cast<std::size_t>(chunk.size()) > bodyLimit)
            return giveUp(FetchProblem::tooLarge);
        result.body.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    };
    QObject::connect(&reply, &QNetworkReply::metaDataChanged, [&] {
        const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toULongLong() > bodyLimit) giveUp(FetchProblem::tooLarge);
    });
    QObject::connect(&reply, &QNetworkReply::readyRead, take);
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] { giveUp(FetchProblem::timedOut); });
    timer.start(static_cast<int>(deadline.remainingTime()));
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply.isFinished()) loop.exec();
    if (result.problem == FetchProblem::none) take();

    result.status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (result.status == 0 && result.problem == FetchProblem::none) result.problem = problemOf(reply.error());
    result.location = headerOf(reply, "Location");
    result.etag = headerOf(reply, "ETag");
    result.lastModified = headerOf(reply, "Last-Modified");
    result.retryAfter = headerOf(reply, "Retry-After");
    return result;
}

} // namespace

FetchAnswer QtLinkFetcher::fetch(const FetchRequest& request) {
    // Without an application object no event loop runs, and nothing would come back.
    if (!QCoreApplication::instance()) return failedFetch(FetchProblem::noAnswer);
    // Made first: it gives a thread that Qt did not start its event dispatcher.
    QEventLoop loop;
    QNetworkAccessManager manager;
    const QDeadlineTimer deadline(limits_.timeLimitMilliseconds);
    return fetchFollowingRedirects(request, limits_, QDateTime::currentSecsSinceEpoch(),
                                   [&](const std::string& address) {
                                       return exchange(loop, manager, address, request, deadline, limits_.bodyBytes);
                                   });
}

} // namespace almanix
