// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

namespace tarvelo {

// The two APIs the program asks: Commons' and Wikidata's. HTTPS only; plain
// http only to this computer's own loopback address, which is where the tests'
// server answers.
struct CommonsEndpoints {
    QUrl commons;
    QUrl wikidata;
    // Czech, when an endpoint given in the environment is refused; no
    // request is then sent at all.
    std::optional<QString> problem;
    // An endpoint is on the loopback address over plain http (the tests'
    // server). Each is judged on its own: plainEndpoints() names which.
    bool plainLoopback = false;

    // The endpoints on the loopback address over plain http: only these
    // are asked without https and without the system's proxy, and only the
    // files their answers name on the same host and port.
    QList<QUrl> plainEndpoints() const;
};

inline constexpr const char* commonsApiVariable = "TARVELO_COMMONS_API";
inline constexpr const char* wikidataApiVariable = "TARVELO_WIKIDATA_API";

// From TARVELO_COMMONS_API and TARVELO_WIKIDATA_API, else Wikimedia's own.
CommonsEndpoints endpointsFromEnvironment();
// The same from the two texts; an empty one means the default.
CommonsEndpoints endpointsFrom(const QString& commons, const QString& wikidata);

bool isLoopbackHost(const QString& host);

// Whether the program may fetch url (a thumbnail, a photograph, where a
// redirect leads): https anywhere, plain http only to the loopback address
// and only when the endpoints themselves are there.
bool mayFetch(const QUrl& url, bool plainLoopback);
// The same, where plain http is allowed only to the host and port of one of
// plainEndpoints (CommonsEndpoints::plainEndpoints()).
bool mayFetch(const QUrl& url, const QList<QUrl>& plainEndpoints);
// Whether url is on the host and port of one of plainEndpoints, over plain
// http: a request the system's proxy is not asked about.
bool isPlainEndpointUrl(const QUrl& url, const QList<QUrl>& plainEndpoints);

} // namespace tarvelo
