// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ApiParameters.h"
#include "NetworkLimits.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvelo {

// What Wikimedia asks of a program that uses its servers (its API etiquette
// and User-Agent policy): a User-Agent that names it and a way to reach its
// makers, one request at a time, maxlag=5 on every API call and waiting when
// told to. Everything that comes back is bounded as it arrives. Callbacks
// come from the event loop, never after cancel() or this is gone.
class WikimediaClient : public QObject {
public:
    // plainEndpoints: the endpoints on the loopback address over plain http
    // (the tests' server), which alone are asked, and whose host and port
    // alone are fetched from, without https and past the system's proxy;
    // everything else https only, redirects included.
    explicit WikimediaClient(QList<QUrl> plainEndpoints, QObject* parent = nullptr);
    ~WikimediaClient() override;

    void setLimits(const NetworkLimits& limits) { limits_ = limits; }
    const NetworkLimits& limits() const { return limits_; }

    // "Tarvelo/1.0.0 (tarvelo@example.org) Qt/6.4.2".
    static QByteArray userAgent();

    // An API call on endpoint with these parameters and format=json,
    // formatversion=2, maxlag=5; its answer's object, or a Czech problem
    // (an API error answer included).
    using ApiDone = std::function<void(const QJsonObject&, const std::optional<QString>&)>;
    void api(const QUrl& endpoint, const ApiParameters& parameters, ApiDone done);
    // The URL of that call.
    static QUrl apiUrl(const QUrl& endpoint, const ApiParameters& parameters);

    // A file, at most maxBytes of it.
    using FileDone = std::function<void(const QByteArray&, const std::optional<QString>&)>;
    void download(const QUrl& url, qint64 maxBytes, FileDone done);

    // Aborts the request under way and drops those waiting.
    void cancel();

private:
    struct Job {
        QUrl url;
        qint64 maxBytes = 0;
        ApiDone apiDone;   // set for an API call
        FileDone fileDone; // set for a file
        int retries = 0;
    };

    void enqueue(Job job);
    void startNext();
    void send();
    void received();
    void finished();
    void stop(const QString& problem);
    // Asks again after `wait`, or gives up with a problem; false when given up.
    bool waitAndRetry(std::optional<std::chrono::milliseconds> wait);
    void finish(const QByteArray& body, const std::optional<QString>& problem,
                const QJsonObject& answer = {});
    void dropReply();

    QList<QUrl> plainEndpoints_;
    NetworkLimits limits_;
    QNetworkAccessManager* network_;
    std::deque<Job> waiting_;
    std::optional<Job> current_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
    std::optional<QString> stopped_;
    QTimer deadline_;
    QTimer retry_;
};

} // namespace tarvelo
