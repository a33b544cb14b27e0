// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CreditJson.h"

#include "ExternalLink.h"

#include <utility>

namespace tarvelo {

namespace {

const QString authorKey = QStringLiteral("author");
const QString licenceKey = QStringLiteral("licence");
const QString licenceUrlKey = QStringLiteral("licenceUrl");
const QString pageKey = QStringLiteral("page");
const QString shortPageKey = QStringLiteral("shortPage");
const QString titleKey = QStringLiteral("title");

QString boundedText(const QString& text, TextBounds bounds) {
    return plainText(text, bounds).trimmed();
}

} // namespace

QJsonObject creditToJson(const PhotoCredit& credit) {
    // Empty texts are left out: a shared set's manifest has little room.
    QJsonObject object;
    for (const auto& [key, text] : {std::pair{authorKey, credit.author},
                                    {licenceKey, credit.licence},
                                    {licenceUrlKey, credit.licenceUrl},
                                    {pageKey, credit.page},
                                    {shortPageKey, credit.shortPage},
                                    {titleKey, credit.title}}) {
        if (!text.isEmpty()) {
            object.insert(key, text);
        }
    }
    return object;
}

std::optional<PhotoCredit> boundedCredit(const PhotoCredit& credit) {
    // A link is kept only as ExternalLink judges it: anything else (an http
    // page, javascript:, an address with user information or a port) could
    // lead a teacher who clicks it elsewhere than it reads.
    PhotoCredit bounded{.author = boundedText(credit.author, creditAuthorBounds),
                        .licence = boundedText(credit.licence, creditLicenceBounds),
                        .licenceUrl = keptLink(credit.licenceUrl),
                        .page = keptLink(credit.page),
                        .shortPage = keptLink(credit.shortPage),
                        .title = boundedText(credit.title, creditTitleBounds)};
    if (bounded.author.isEmpty() && bounded.licence.isEmpty()) {
        return std::nullopt;
    }
    return bounded;
}

std::optional<PhotoCredit> creditFromJson(const QJsonValue& value) {
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    // A number or a list where a text belongs is no text: toString() gives
    // nothing for it.
    const auto text = [&object](const QString& key) { return object.value(key).toString(); };
    return boundedCredit({.author = text(authorKey),
                          .licence = text(licenceKey),
                          .licenceUrl = text(licenceUrlKey),
                          .page = text(pageKey),
                          .shortPage = text(shortPageKey),
                          .title = text(titleKey)});
}

} // namespace tarvelo
