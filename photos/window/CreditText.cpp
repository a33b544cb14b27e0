// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CreditText.h"

#include <QColor>

namespace tarvelo {

namespace {
// Commons' longest page addresses are titles of a few hundred characters,
// percent-encoded.
constexpr qsizetype maxLinkLength = 2000;

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
} // namespace

std::optional<QUrl> webLink(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.size() > maxLinkLength ||
        !trimmed.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QStringLiteral("https") || url.host().isEmpty() ||
        !url.userInfo().isEmpty()) {
        return std::nullopt;
    }
    return url;
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
        const std::optional<QUrl> terms = webLink(credit.licenceUrl);
        html += separator + (terms ? linkHtml(*terms, shownLicence, linkOnBlack)
                                   : shownLicence.toHtmlEscaped());
    }
    if (credit.fromCommons()) {
        const std::optional<QUrl> page = webLink(credit.page);
        html += separator +
                (page ? linkHtml(*page, commonsName, linkOnBlack) : commonsName.toHtmlEscaped());
    }
    return html;
}

QString creditLineText(const PhotoCredit& credit) {
    QString text = QStringLiteral("Foto: ") + author(credit);
    const QString shownLicence = licence(credit);
    if (!shownLicence.isEmpty()) {
        text += separator + shownLicence;
    }
    if (credit.fromCommons()) {
        text += separator + commonsName;
    }
    return text;
}

} // namespace tarvelo
