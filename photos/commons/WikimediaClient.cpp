// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WikimediaClient.h"

#include "BoundedJson.h"
#include "CommonsEndpoints.h"
#include "ForeignText.h"
#include "HeaderNumbers.h"

#include <QDateTime>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <utility>

namespace tarvelo {

namespace {

using std::chrono::milliseconds;

QString hostOf(const QUrl& url) {
    return quotedName(url.host());
}

// "20 MiB", "2 kB": the bound as a teacher reads it.
QString amount(qint64 bytes) {
    const QLocale czech(QLocale::Czech);
    if (bytes >= 1024 * 1024) {
        return czech.toString(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f',
                              bytes % (1024 * 1024) == 0 ? 0 : 1) +
               QStringLiteral(" MiB");
    }
    return czech.toString((bytes + 1023) / 1024) + QStringLiteral(" kB");
}

QString tooLarge(qint64 maxBytes) {
    return QStringLiteral("Server Wikimedia Commons poslal víc dat, než program přijme "
                          "(nejvýš %1). Stahování bylo přerušeno.")
        .arg(amount(maxBytes));
}

QString timedOut(const QUrl& url) {
    return QStringLiteral("Server %1 neodpověděl včas. Zkuste to prosím později.").arg(hostOf(url));
}

QString unusableAnswer(const QUrl& url) {
    return QStringLiteral("Odpověď serveru %1 nelze použít.").arg(hostOf(url));
}

QString overloaded(const QUrl& url) {
    return QStringLiteral("Server %1 je přetížený a žádá počkat. Zkuste to prosím za chvíli.")
        .arg(hostOf(url));
}

QString serverError(const QUrl& url, int status) {
    return QStringLiteral("Server %1 odpověděl chybou %2. Zkuste to prosím později.")
        .arg(hostOf(url))
        .arg(status);
}

QString refusedRedirect(const QUrl& target) {
    return QStringLiteral("Server přesměroval na adresu, která není zabezpečená (%1); program "
                          "ji neotevře.")
        .arg(quotedName(target.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo)));
}

QString networkProblem(QNetworkReply::NetworkError error, const QUrl& url) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Server %1 nelze najít. Je počítač připojený k internetu?")
            .arg(hostOf(url));
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return QStringLiteral("Proxy server odmítl spojení se serverem %1. Zkontrolujte "
                              "nastavení proxy v systému.")
            .arg(hostOf(url));
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return timedOut(url);
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Zabezpečené spojení se serverem %1 se nepodařilo ověřit.")
            .arg(hostOf(url));
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return refusedRedirect(url);
    default:
        return QStringLiteral("Server %1 není dostupný. Je počítač připojený k internetu?")
            .arg(hostOf(url));
    }
}

// A school's proxy is the way out, as the teacher's browser goes; this
// computer's own server, where an endpoint is on it over plain http, is
// reached directly, and only that endpoint's host and port.
class EndpointProxies : public QNetworkProxyFactory {
public:
    explicit EndpointProxies(QList<QUrl> plainEndpoints)
        : plainEndpoints_(std::move(plainEndpoints)) {}

    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        if (isPlainEndpointUrl(query.url(), plainEndpoints_)) {
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        }
        return systemProxyForQuery(query);
    }

private:
    QList<QUrl> plainEndpoints_;
};

} // namespace

WikimediaClient::WikimediaClient(QList<QUrl> plainEndpoints, QObject* parent)
    : QObject(parent), plainEndpoints_(std::move(plainEndpoints)),
      network_(new QNetworkAccessManager(this)) {
    // The manager owns its proxy factory.
    network_->setProxyFactory(new EndpointProxies(plainEndpoints_));
    network_->setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    deadline_.setSingleShot(true);
    retry_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (current_) {
            stop(timedOut(current_->url));
        }
    });
    connect(&retry_, &QTimer::timeout, this, &WikimediaClient::send);
}

WikimediaClient::~WikimediaClient() {
    dropReply();
}

QByteArray WikimediaClient::userAgent() {
    return QByteArrayLiteral("Tarvelo/" TARVELO_VERSION " (tarvelo@example.org) Qt/") + qVersion();
}

QUrl WikimediaClient::apiUrl(const QUrl& endpoint, const ApiParameters& parameters) {
    ApiParameters all = parameters;
    all.emplace_back(QStringLiteral("format"), QStringLiteral("json"));
    all.emplace_back(QStringLiteral("formatversion"), QStringLiteral("2"));
    // Wikimedia's servers turn bots away first when their replicas lag.
    all.emplace_back(QStringLiteral("maxlag"), QStringLiteral("5"));
    QByteArray query;
    for (const auto& [name, value] : all) {
        if (!query.isEmpty()) {
            query += '&';
        }
        // '+' is a space to PHP: every character but the unreserved ones
        // is encoded, the '|' between values too.
        query += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    QUrl url = endpoint;
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

void WikimediaClient::api(const QUrl& endpoint, const ApiParameters& parameters, ApiDone done) {
    Job job;
    job.url = apiUrl(endpoint, parameters);
    job.maxBytes = limits_.apiBytes;
    job.apiDone = std::move(done);
    enqueue(std::move(job));
}

void WikimediaClient::download(const QUrl& url, qint64 maxBytes, FileDone done) {
    Job job;
    job.url = url;
    job.maxBytes = maxBytes;
    job.fileDone = std::move(done);
    enqueue(std::move(job));
}

void WikimediaClient::cancel() {
    waiting_.clear();
    current_.reset();
    retry_.stop();
    deadline_.stop();
    dropReply();
}

void WikimediaClient::enqueue(Job job) {
    waiting_.push_back(std::move(job));
    // Started from the event loop, so that a caller's state is set before
    // anything can come back.
    QTimer::singleShot(0, this, &WikimediaClient::startNext);
}

void WikimediaClient::startNext() {
    if (current_ || waiting_.empty()) {
        return;
    }
    current_ = std::move(waiting_.front());
    waiting_.pop_front();
    send();
}

void WikimediaClient::send() {
    if (!current_) {
        return;
    }
    if (!mayFetch(current_->url, plainEndpoints_)) {
        finish({}, refusedRedirect(current_->url));
        return;
    }
    QNetworkRequest request(current_->url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setTransferTimeout(static_cast<int>(limits_.transferTimeout.count()));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits_.redirects);
    body_.clear();
    stopped_.reset();
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
        const QUrl resolved = reply->url().resolved(target);
        if (mayFetch(resolved, plainEndpoints_)) {
            emit reply->redirectAllowed();
        } else {
            stop(refusedRedirect(resolved));
        }
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const std::optional<qint64> length = contentLength(reply->rawHeader("Content-Length"));
        if (length && *length > current_->maxBytes) {
            stop(tooLarge(current_->maxBytes));
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, &WikimediaClient::received);
    connect(reply, &QNetworkReply::finished, this, &WikimediaClient::finished);
    deadline_.start(limits_.deadline);
}

void WikimediaClient::received() {
    if (!reply_ || stopped_ || !reply_->isOpen()) {
        return;
    }
    // Read no more than one byte past the bound: a lying Content-Length
    // or none at all ends here as soon as the bound is passed.
    body_ += reply_->read(current_->maxBytes + 1 - body_.size());
    if (body_.size() > current_->maxBytes) {
        stop(tooLarge(current_->maxBytes));
    }
}

void WikimediaClient::stop(const QString& problem) {
    if (!reply_ || stopped_) {
        return;
    }
    stopped_ = problem;
    // finished follows, from abort() itself.
    reply_->abort();
}

void WikimediaClient::finished() {
    if (!reply_ || !current_) {
        return;
    }
    deadline_.stop();
    received();
    if (stopped_) {
        finish({}, stopped_);
        return;
    }
    QNetworkReply& reply = *reply_;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const std::optional<milliseconds> wait =
        retryAfter(reply.rawHeader("Retry-After"), QDateTime::currentDateTimeUtc());
    if (status == 429 || (status == 503 && wait)) {
        waitAndRetry(wait ? wait : std::optional(limits_.lagWait));
        return;
    }
    if (status >= 300 && status < 400) {
        finish({}, refusedRedirect(reply.url()));
        return;
    }
    if (status >= 400) {
        finish({}, serverError(current_->url, status));
        return;
    }
    if (reply.error() != QNetworkReply::NoError) {
        finish({}, networkProblem(reply.error(), current_->url));
        return;
    }
    if (!current_->apiDone) {
        finish(std::exchange(body_, {}), std::nullopt);
        return;
    }
    const std::optional<QJsonObject> answer = boundedJsonObject(body_, current_->maxBytes);
    if (!answer) {
        finish({}, unusableAnswer(current_->url));
        return;
    }
    const QJsonObject error = answer->value(u"error").toObject();
    if (error.value(u"code").toString() == QLatin1String("maxlag")) {
        waitAndRetry(wait ? wait : std::optional(limits_.lagWait));
        return;
    }
    if (!error.isEmpty()) {
        finish({}, QStringLiteral("Server %1 dotaz odmítl: %2")
                       .arg(hostOf(current_->url),
                            plainText(error.value(u"info").toString().left(1000),
                                      TextBounds{.characters = 200, .lines = 1})));
        return;
    }
    finish({}, std::nullopt, *answer);
}

bool WikimediaClient::waitAndRetry(std::optional<milliseconds> wait) {
    dropReply();
    if (!wait || *wait > limits_.longestWait || current_->retries >= limits_.retries) {
        finish({}, overloaded(current_->url));
        return false;
    }
    ++current_->retries;
    // The queue waits too: nothing else is sent meanwhile.
    retry_.start(*wait);
    return true;
}

void WikimediaClient::finish(const QByteArray& body, const std::optional<QString>& problem,
                             const QJsonObject& answer) {
    Job job = std::move(*current_);
    current_.reset();
    dropReply();
    body_.clear();
    const QPointer<WikimediaClient> alive(this);
    if (job.apiDone) {
        job.apiDone(answer, problem);
    } else {
        job.fileDone(body, problem);
    }
    if (alive) {
        startNext();
    }
}

void WikimediaClient::dropReply() {
    if (reply_) {
        QNetworkReply* reply = reply_;
        reply_.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace tarvelo
