// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeCommons.h"

#include <QDateTime>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTcpSocket>
#include <QTimer>

namespace tarvelo::fake {

namespace {

// A request's head; anything larger is no client of ours.
constexpr qsizetype headLimit = 64 * 1024;

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 429:
        return "Too Many Requests";
    default:
        return "Error";
    }
}

} // namespace

FakeCommons::FakeCommons(QObject* parent) : QObject(parent) {
    connect(&server_, &QTcpServer::newConnection, this, &FakeCommons::accept);
}

bool FakeCommons::listen() {
    return server_.listen(QHostAddress::LocalHost, 0);
}

QString FakeCommons::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

QUrl FakeCommons::apiUrl() const {
    return QUrl(base() + QStringLiteral("/w/api.php"));
}

void FakeCommons::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            unanswered_.remove(socket);
            buffers_.remove(socket);
            socket->deleteLater();
        });
    }
}

void FakeCommons::read(QTcpSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        if (buffer.size() > headLimit) {
            socket->abort();
        }
        return;
    }
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.clear();
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QUrl target(QString::fromLatin1(requestLine.value(1)));
    RecordedRequest request;
    request.line = lines.value(0).trimmed();
    request.path = target.path();
    // As PHP reads a query: '+' is a space, as curl and forms write one.
    request.query =
        QUrlQuery(target.query(QUrl::FullyEncoded).replace(u'+', QStringLiteral("%20")));
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "user-agent") {
            request.userAgent = line.mid(colon + 1).trimmed();
        }
    }
    request.overlapped = !unanswered_.isEmpty();
    unanswered_.insert(socket);
    requests_.push_back(request);
    if (faults_.stall) {
        return;
    }
    const bool thumbnail = request.path.startsWith(QLatin1String("/thumb/"));
    const Answer given = respond(request);
    const bool withLength = !(thumbnail && faults_.noContentLength);
    if (faults_.answerDelayMs > 0) {
        QTimer::singleShot(faults_.answerDelayMs, socket, [this, socket, given, withLength] {
            answer(socket, given, withLength);
        });
        return;
    }
    answer(socket, given, withLength);
}

Answer FakeCommons::respond(const RecordedRequest& request) {
    if (faults_.tooManyRequests > 0) {
        --faults_.tooManyRequests;
        const QByteArray wait =
            !faults_.retryAfterText.isEmpty() ? faults_.retryAfterText
            : faults_.retryAfterDate
                ? QLocale::c()
                      .toString(QDateTime::currentDateTimeUtc().addSecs(faults_.retryAfterSeconds),
                                QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"))
                      .toLatin1()
                : QByteArray::number(faults_.retryAfterSeconds);
        return {429, "text/plain", "Too many requests", {{"Retry-After", wait}}};
    }
    if (faults_.serverErrors > 0) {
        --faults_.serverErrors;
        return {500, "text/html", "<html><body>Internal Server Error</body></html>", {}};
    }
    if (request.isApi()) {
        if (faults_.maxlagAnswers > 0 && request.query.hasQueryItem(QStringLiteral("maxlag"))) {
            --faults_.maxlagAnswers;
            return {
                200,
                "application/json; charset=utf-8",
                R"({"error":{"code":"maxlag","info":"Waiting for 10.64.16.8: 7 seconds lagged.",)"
                R"("host":"10.64.16.8","lag":7,"type":"db"},"servedby":"mw2290"})",
                {{"Retry-After", "1"}, {"X-Database-Lag", "7"}}};
        }
        if (faults_.deepAnswers) {
            return {200, "application/json", QByteArray(5000, '[') + QByteArray(5000, ']'), {}};
        }
        if (faults_.endlessContinue && request.value("action") == QLatin1String("query")) {
            return endless(request);
        }
        return world_.api(request.query, base());
    }
    if (request.path.startsWith(QLatin1String("/thumb/"))) {
        // Where RedirectHere sent it: served as it is.
        const bool moved = request.query.hasQueryItem(QStringLiteral("moved"));
        switch (moved ? Faults::Thumbnails::Good : faults_.thumbnails) {
        case Faults::Thumbnails::Good:
            break;
        case Faults::Thumbnails::Truncated: {
            Answer whole = world_.thumbnail(request.path);
            whole.body.truncate(whole.body.size() / 2);
            return whole;
        }
        case Faults::Thumbnails::NotAnImage:
            return {
                200, "image/jpeg", "<!DOCTYPE html><html><body>Wikimedia Error</body></html>", {}};
        case Faults::Thumbnails::RedirectToHttp:
            return {302,
                    "text/plain",
                    "Found",
                    {{"Location", "http://upload.example.org" + request.path.toUtf8()}}};
        case Faults::Thumbnails::RedirectHere:
            return {302,
                    "text/plain",
                    "Found",
                    {{"Location", (base() + request.path + QStringLiteral("?moved=1")).toUtf8()}}};
        }
        return world_.thumbnail(request.path);
    }
    return {404, "text/plain", "Not Found", {}};
}

Answer FakeCommons::endless(const RecordedRequest& request) const {
    // The first question is answered as usual, every one after it with
    // nothing but the way to the next.
    const int step = request.value("endless").toInt();
    QJsonObject answer =
        step == 0 ? QJsonDocument::fromJson(world_.api(request.query, base()).body).object()
                  : QJsonObject{{QStringLiteral("batchcomplete"), true}};
    answer.insert(QStringLiteral("continue"),
                  QJsonObject{{QStringLiteral("continue"), QStringLiteral("-||")},
                              {QStringLiteral("endless"), QString::number(step + 1)}});
    return {200,
            "application/json; charset=utf-8",
            QJsonDocument(answer).toJson(QJsonDocument::Compact),
            {}};
}

void FakeCommons::answer(QTcpSocket* socket, const Answer& answer, bool withLength) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                      reason(answer.status) + "\r\nContent-Type: " + answer.contentType + "\r\n";
    if (withLength) {
        head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    }
    for (const auto& [name, value] : answer.headers) {
        head += name + ": " + value + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    socket->write(head + answer.body);
    unanswered_.remove(socket);
    socket->disconnectFromHost();
}

} // namespace tarvelo::fake
