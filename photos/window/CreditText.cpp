// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CreditText.h"

#include <QColor>

namespace tarvelo {

namespace {
const QString separator = QStringLiteral(" · ");
const QString commonsName = QStringLiteral("Wikimedia Commons");
// Light blue: the default dark blue is hardly seen on the preview's black.
const QString linkOnBlack = QStringLiteral("#99ccff");

QString author(const PhotoCredit& credit) {
    return plainText(credit.author, lineAuthorBounds);
}

QString licence(const PhotoCredit& credit) {
    return plainText(credit.licence, lineLicenceBounds);
}

// What a page no link is made to is called: a credit read from a file or
// an answer never holds one, as it was judged there. Named by the host it
// would reach, where it has one that is not Commons'.
QString unlinkedPageName(const QString& page) {
    const QUrl url(page.trimmed().left(maxExternalLinkLength), QUrl::TolerantMode);
    const QString host = url.isValid() ? url.host(QUrl::FullyEncoded) : QString();
    if (host.isEmpty() || host == QStringLiteral("commons.wikimedia.org")) {
        return commonsName;
    }
    return plainText(host, {.characters = 100, .lines = 1});
}

// The licence's name, a link to its terms where they are on Creative
// Commons' site; terms elsewhere are a link of their own, named by their
// host, so that the name never vouches for a page it does not name.
QString licenceHtml(const QString& name, const QString& terms) {
    const std::optional<QUrl> link = webLink(terms);
    if (!link) {
        return name.toHtmlEscaped();
    }
    if (isLicenceTerms(*link)) {
        return linkHtml(*link, name, linkOnBlack);
    }
    return name.toHtmlEscaped() + QStringLiteral(" (") +
           linkHtml(*link, linkHost(*link), linkOnBlack) + QLatin1Char(')');
}

QString licenceText(const QString& name, const QString& terms) {
    const std::optional<QUrl> link = webLink(terms);
    return link && !isLicenceTerms(*link)
               ? name + QStringLiteral(" (") + linkHost(*link) + QLatin1Char(')')
               : name;
}
} // namespace

std::optional<QUrl> webLink(const QString& address) {
    return externalLink(address);
}

QString linkHtml(const QUrl& link, const QString& text, const QString& colour) {
    const QString style = QColor::isValidColorName(colour)
                              ? QStringLiteral(" style=\"color:%1\"").arg(QColor(colour).name())
                              : QString();
    return QStringLiteral("<a href=\"%1\"%2>%3</a>")
        .arg(link.toString(QUrl::FullyEncoded).toHtmlEscaped(), style, text.toHtmlEscaped());
}

QString creditLineHtml(const PhotoCredit& credit) {
    QString html = QStringLiteral("Foto: ") + author(credit).toHtmlEscaped();
    const QString shownLicence = licence(credit);
    if (!shownLicence.isEmpty()) {
        html += separator + licenceHtml(shownLicence, credit.licenceUrl);
    }
    if (credit.fromCommons()) {
        const std::optional<QUrl> page = webLink(credit.page);
        html += separator + (page ? linkHtml(*page, pageName(*page), linkOnBlack)
                                  : unlinkedPageName(credit.page).toHtmlEscaped());
    }
    return html;
}

QString creditLineText(const PhotoCredit& credit) {
    QString text = QStringLiteral("Foto: ") + author(credit);
    const QString shownLicence = licence(credit);
    if (!shownLicence.isEmpty()) {
        text += separator + licenceText(shownLicence, credit.licenceUrl);
    }
    if (credit.fromCommons()) {
        const std::optional<QUrl> page = webLink(credit.page);
        text += separator + (page ? pageName(*page) : unlinkedPageName(credit.page));
    }
    return text;
}

} // namespace tarvelo
