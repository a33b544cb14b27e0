// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalLink.h"

#include <QStringList>

namespace tarvelo {

namespace {

const QString commonsHost = QStringLiteral("commons.wikimedia.org");
const QString licenceHost = QStringLiteral("creativecommons.org");
const QString https = QStringLiteral("https://");

// Browsers read a backslash as a slash and drop or decode what a human
// eye skips; any of them would let a link lead elsewhere than it reads.
bool isPlainCharacter(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
        return u > 0x20 && u < 0x7f && u != u'\\';
    }
    // Beyond ASCII, only letters and marks of a page's title (QUrl
    // percent-encodes them): no space, format, private or unpaired character.
    return c.isLetterOrNumber() || c.isMark();
}

bool isHostLabel(QStringView label) {
    if (label.isEmpty() || label.size() > 63 || label.front() == u'-' || label.back() == u'-') {
        return false;
    }
    for (const QChar c : label) {
        const char16_t u = c.unicode();
        if (!((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'-')) {
            return false;
        }
    }
    return true;
}

// A host as written: names of letters, digits and hyphens, at least two,
// the last beginning with a letter, so that no number passes for an IP
// address (a browser reads "0x7f.1" as one).
bool isHostName(const QString& host) {
    if (host.size() > 253) {
        return false;
    }
    const QStringList labels = host.split(QLatin1Char('.'));
    if (labels.size() < 2) {
        return false;
    }
    for (const QString& label : labels) {
        if (!isHostLabel(label)) {
            return false;
        }
    }
    const char16_t first = labels.back().front().unicode();
    return first >= u'a' && first <= u'z';
}

} // namespace

std::optional<QUrl> externalLink(const QString& text) {
    const QString link = text.trimmed();
    if (link.size() > maxExternalLinkLength || !link.startsWith(https, Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    for (const QChar c : link) {
        if (!isPlainCharacter(c)) {
            return std::nullopt;
        }
    }
    // The authority as it reads, up to the path, query or fragment; it must
    // be the very host QUrl parses, so no "@", ":" or "%" hides another.
    qsizetype end = link.size();
    for (const QChar c : {u'/', u'?', u'#'}) {
        const qsizetype at = link.indexOf(c, https.size());
        if (at >= 0 && at < end) {
            end = at;
        }
    }
    const QString written = link.mid(https.size(), end - https.size()).toLower();
    if (!isHostName(written)) {
        return std::nullopt;
    }
    const QUrl url(link, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https") || !url.userInfo().isEmpty() ||
        url.port() != -1 || url.host(QUrl::FullyEncoded) != written) {
        return std::nullopt;
    }
    return url;
}

QString keptLink(const QString& text) {
    if (!externalLink(text)) {
        return {};
    }
    // Its scheme written as every kept link's is, whatever case it came in.
    return https + text.trimmed().mid(https.size());
}

QString linkHost(const QUrl& link) {
    return link.host(QUrl::FullyEncoded);
}

bool isCommonsPage(const QUrl& page) {
    return linkHost(page) == commonsHost;
}

QString pageName(const QUrl& page) {
    return isCommonsPage(page) ? QStringLiteral("Wikimedia Commons") : linkHost(page);
}

QString printedPage(const QUrl& page) {
    return isCommonsPage(page) ? page.toString(QUrl::FullyEncoded) : linkHost(page);
}

bool isLicenceTerms(const QUrl& link) {
    return linkHost(link) == licenceHost;
}

} // namespace tarvelo
