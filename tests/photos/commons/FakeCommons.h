// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeWorld.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QUrl>
#include <QUrlQuery>
#include <vector>

class QTcpSocket;

namespace tarvelo::fake {

// What the server was asked.
struct RecordedRequest {
    // "GET /w/api.php?… HTTP/1.1", or a proxy's "CONNECT host:443 HTTP/1.1".
    QByteArray line;
    QString path;
    QUrlQuery query;
    QByteArray userAgent;
    // Another request was still unanswered when this one came.
    bool overlapped = false;

    QString value(const char* name) const {
        return query.queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
    }
    bool isApi() const { return path == QLatin1String("/w/api.php"); }
};

// What goes wrong, switched on by a test.
struct Faults {
    // The next this many API calls with maxlag get the maxlag error
    // (Retry-After: 1).
    int maxlagAnswers = 0;
    // The next this many requests get HTTP 429 with Retry-After (seconds).
    int tooManyRequests = 0;
    int retryAfterSeconds = 1;
    // Retry-After as an HTTP date that many seconds from now, not as seconds.
    bool retryAfterDate = false;
    // Retry-After exactly as this says, when it says anything.
    QByteArray retryAfterText;
    // Every query answer says there is more (`continue`), and what is then
    // asked for has no pages, for ever.
    bool endlessContinue = false;
    // The next this many requests get HTTP 500.
    int serverErrors = 0;
    // No request gets any answer; the connection stays open.
    bool stall = false;
    // Every answer comes this late, so that a client asking again before it
    // came would be seen (RecordedRequest::overlapped).
    int answerDelayMs = 0;
    // API answers nested far deeper than any real one.
    bool deepAnswers = false;
    // Thumbnails without Content-Length, the connection closed at their end.
    bool noContentLength = false;
    enum class Thumbnails {
        Good,
        Truncated,      // the first half of the JPEG only
        NotAnImage,     // an HTML page, sent as image/jpeg
        RedirectToHttp, // 302 to plain http on another host
        RedirectHere,   // 302 to the same thumbnail here, which is then served
    } thumbnails = Thumbnails::Good;
};

// A small HTTP/1.1 server on 127.0.0.1 answering as Commons and Wikidata
// do: /w/api.php for both APIs, /thumb/… for the thumbnails their answers
// name. One answer per connection (Connection: close).
class FakeCommons : public QObject {
public:
    explicit FakeCommons(QObject* parent = nullptr);

    // Listens on a free port of 127.0.0.1; false when it cannot.
    bool listen();
    quint16 port() const { return server_.serverPort(); }
    QString base() const;
    // http://127.0.0.1:PORT/w/api.php
    QUrl apiUrl() const;

    Faults& faults() { return faults_; }
    const FakeWorld& world() const { return world_; }
    const std::vector<RecordedRequest>& requests() const { return requests_; }
    void forgetRequests() { requests_.clear(); }

private:
    void accept();
    void read(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Answer& answer, bool withLength = true);
    Answer respond(const RecordedRequest& request);
    Answer endless(const RecordedRequest& request) const;

    QTcpServer server_;
    FakeWorld world_;
    Faults faults_;
    std::vector<RecordedRequest> requests_;
    QHash<QTcpSocket*, QByteArray> buffers_;
    QSet<QTcpSocket*> unanswered_;
};

} // namespace tarvelo::fake
