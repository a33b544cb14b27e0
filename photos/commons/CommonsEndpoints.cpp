// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsEndpoints.h"

#include "ForeignText.h"

#include <QHostAddress>
#include <QSslSocket>

namespace tarvelo {

namespace {

const QString defaultCommons = QStringLiteral("https://commons.wikimedia.org/w/api.php");
const QString defaultWikidata = QStringLiteral("https://www.wikidata.org/w/api.php");

struct Checked {
    QUrl url;
    std::optional<QString> problem;
    bool plainLoopback = false;
};

Checked checked(const QString& text, const QString& fallback, const char* variable) {
    const QString given = text.trimmed().isEmpty() ? fallback : text.trimmed();
    Checked result;
    result.url = QUrl(given, QUrl::StrictMode);
    const QString scheme = result.url.scheme().toLower();
    const bool usable = result.url.isValid() && !result.url.host().isEmpty() &&
                        result.url.userInfo().isEmpty() && !result.url.hasFragment();
    if (usable && scheme == QLatin1String("https")) {
        return result;
    }
    if (usable && scheme == QLatin1String("http") && isLoopbackHost(result.url.host())) {
        result.plainLoopback = true;
        return result;
    }
    result.problem = QStringLiteral("Proměnná %1 neobsahuje použitelnou adresu („%2“): "
                                    "Wikimedia Commons se smí ptát jen přes https.")
                         .arg(QLatin1String(variable), quotedName(given));
    return result;
}

} // namespace

bool isLoopbackHost(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    const QHostAddress address(host);
    return !address.isNull() && (address == QHostAddress(QHostAddress::LocalHost) ||
                                 address == QHostAddress(QHostAddress::LocalHostIPv6));
}

bool mayFetch(const QUrl& url, bool plainLoopback) {
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty()) {
        return false;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) {
        return true;
    }
    return plainLoopback && scheme == QLatin1String("http") && isLoopbackHost(url.host());
}

bool isPlainEndpointUrl(const QUrl& url, const QList<QUrl>& plainEndpoints) {
    if (!url.isValid() || url.scheme().toLower() != QLatin1String("http") ||
        !isLoopbackHost(url.host())) {
        return false;
    }
    for (const QUrl& endpoint : plainEndpoints) {
        if (endpoint.scheme().toLower() == QLatin1String("http") &&
            isLoopbackHost(endpoint.host()) &&
            url.host().compare(endpoint.host(), Qt::CaseInsensitive) == 0 &&
            url.port(80) == endpoint.port(80)) {
            return true;
        }
    }
    return false;
}

bool mayFetch(const QUrl& url, const QList<QUrl>& plainEndpoints) {
    if (!mayFetch(url, !plainEndpoints.isEmpty())) {
        return false;
    }
    return url.scheme().toLower() == QLatin1String("https") ||
           isPlainEndpointUrl(url, plainEndpoints);
}

QList<QUrl> CommonsEndpoints::plainEndpoints() const {
    QList<QUrl> plain;
    for (const QUrl& endpoint : {commons, wikidata}) {
        if (endpoint.scheme().toLower() == QLatin1String("http") &&
            isLoopbackHost(endpoint.host())) {
            plain << endpoint;
        }
    }
    return plain;
}

CommonsEndpoints endpointsFrom(const QString& commons, const QString& wikidata) {
    const Checked commonsApi = checked(commons, defaultCommons, commonsApiVariable);
    const Checked wikidataApi = checked(wikidata, defaultWikidata, wikidataApiVariable);
    CommonsEndpoints endpoints;
    endpoints.commons = commonsApi.url;
    endpoints.wikidata = wikidataApi.url;
    endpoints.problem = commonsApi.problem ? commonsApi.problem : wikidataApi.problem;
    // A Windows folder that lost its TLS plugin would fail every request
    // with Qt's own English words; it is said once, before anything is sent.
    const bool secure = !commonsApi.plainLoopback || !wikidataApi.plainLoopback;
    if (!endpoints.problem && secure && !QSslSocket::supportsSsl()) {
        endpoints.problem =
            QStringLiteral("Program nemá podporu zabezpečeného spojení (TLS), bez které se "
                           "s Wikimedia Commons spojit nelze. Nainstalujte prosím Tarvelo znovu.");
    }
    endpoints.plainLoopback = commonsApi.plainLoopback || wikidataApi.plainLoopback;
    return endpoints;
}

CommonsEndpoints endpointsFromEnvironment() {
    return endpointsFrom(qEnvironmentVariable(commonsApiVariable),
                         qEnvironmentVariable(wikidataApiVariable));
}

} // namespace tarvelo
