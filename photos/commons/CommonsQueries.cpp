// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsQueries.h"

#include "BreedSources.h"
#include "ForeignText.h"
#include "PhotoImport.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <algorithm>

namespace tarvelo {

namespace {

// A category or title is short; a longer one is no usable name.
constexpr qsizetype nameCharacters = 255;
// A continue object has a handful of short members.
constexpr qsizetype continueMembers = 10;
constexpr qsizetype continueCharacters = 500;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What every file question asks of imageinfo: the links, the size, the
// type and the licence fields, and nothing more of the metadata.
ApiParameters withImageInfo(ApiParameters parameters, int thumbnailWidth) {
    parameters.emplace_back(QStringLiteral("prop"), QStringLiteral("imageinfo"));
    parameters.emplace_back(QStringLiteral("iiprop"), QStringLiteral("url|size|mime|extmetadata"));
    parameters.emplace_back(QStringLiteral("iiurlwidth"), QString::number(thumbnailWidth));
    parameters.emplace_back(QStringLiteral("iiextmetadatafilter"),
                            QStringLiteral("License|LicenseShortName|LicenseUrl|Artist|"
                                           "Attribution|Credit|NonFree|DeletionReason|"
                                           "Restrictions"));
    return parameters;
}

} // namespace

ApiParameters entityParameters(const BreedSource& source) {
    return {{QStringLiteral("action"), QStringLiteral("wbgetentities")},
            {QStringLiteral("sites"), fromUtf8(source.site)},
            {QStringLiteral("titles"), fromUtf8(source.article)},
            {QStringLiteral("props"), QStringLiteral("claims")}};
}

std::optional<QString> commonsCategory(const QJsonObject& answer) {
    const QJsonObject entities = answer.value(u"entities").toObject();
    for (auto entity = entities.begin(); entity != entities.end(); ++entity) {
        const QJsonArray claims =
            entity.value().toObject().value(u"claims").toObject().value(u"P373").toArray();
        for (const QJsonValue& claim : claims) {
            const QString name = claim.toObject()
                                     .value(u"mainsnak")
                                     .toObject()
                                     .value(u"datavalue")
                                     .toObject()
                                     .value(u"value")
                                     .toString()
                                     .trimmed();
            // A category's name has no control characters, '|', '#' or
            // brackets; one that has is no name.
            if (!name.isEmpty() && name.size() <= nameCharacters &&
                name == plainText(name, TextBounds{.characters = nameCharacters, .lines = 1}) &&
                !name.contains(QRegularExpression(QStringLiteral("[|#\\[\\]{}<>]")))) {
                return name;
            }
        }
    }
    return std::nullopt;
}

ApiParameters categoryFilesParameters(const QString& category) {
    return withImageInfo({{QStringLiteral("action"), QStringLiteral("query")},
                          {QStringLiteral("generator"), QStringLiteral("categorymembers")},
                          {QStringLiteral("gcmtitle"), QStringLiteral("Category:") + category},
                          {QStringLiteral("gcmtype"), QStringLiteral("file")},
                          {QStringLiteral("gcmlimit"), QString::number(filesPerAnswer)}},
                         gridThumbnailWidth);
}

ApiParameters searchFilesParameters(const QString& words) {
    return withImageInfo({{QStringLiteral("action"), QStringLiteral("query")},
                          {QStringLiteral("generator"), QStringLiteral("search")},
                          {QStringLiteral("gsrnamespace"), QStringLiteral("6")},
                          {QStringLiteral("gsrsearch"), words},
                          {QStringLiteral("gsrlimit"), QString::number(filesPerAnswer)}},
                         gridThumbnailWidth);
}

ApiParameters titlesParameters(const QStringList& titles, int thumbnailWidth) {
    return withImageInfo({{QStringLiteral("action"), QStringLiteral("query")},
                          {QStringLiteral("titles"), titles.join(QLatin1Char('|'))}},
                         thumbnailWidth);
}

std::vector<QJsonObject> answerPages(const QJsonObject& answer) {
    std::vector<QJsonObject> pages;
    for (const QJsonValue& page : answer.value(u"query").toObject().value(u"pages").toArray()) {
        if (page.isObject()) {
            pages.push_back(page.toObject());
        }
    }
    // A search gives its rank as "index"; the pages themselves come in any order.
    std::stable_sort(pages.begin(), pages.end(), [](const QJsonObject& a, const QJsonObject& b) {
        return a.value(u"index").toInt(0) < b.value(u"index").toInt(0);
    });
    return pages;
}

QStringList missingTitles(const QJsonObject& answer) {
    QStringList titles;
    for (const QJsonObject& page : answerPages(answer)) {
        if (page.contains(u"missing") || page.contains(u"invalid")) {
            titles << plainText(page.value(u"title").toString().left(nameCharacters),
                                TextBounds{.characters = nameCharacters, .lines = 1});
        }
    }
    return titles;
}

QJsonObject continuation(const QJsonObject& answer) {
    const QJsonObject next = answer.value(u"continue").toObject();
    if (next.size() > continueMembers) {
        return {};
    }
    for (auto member = next.begin(); member != next.end(); ++member) {
        if (!member.value().isString() && !member.value().isDouble()) {
            return {};
        }
        if (member.value().toString().size() > continueCharacters) {
            return {};
        }
    }
    return next;
}

ApiParameters continued(const ApiParameters& parameters, const QJsonObject& continuation) {
    ApiParameters next = parameters;
    for (auto member = continuation.begin(); member != continuation.end(); ++member) {
        const QString value = member.value().isDouble()
                                  ? QString::number(member.value().toInteger())
                                  : member.value().toString();
        std::erase_if(next, [&](const auto& parameter) { return parameter.first == member.key(); });
        next.emplace_back(member.key(), value);
    }
    return next;
}

int photoFetchWidth(QSize original) {
    if (original.width() <= 0 || original.height() <= 0) {
        return 1280;
    }
    const qint64 fitting =
        (qint64{storedBoxHeight} * original.width() + original.height() - 1) / original.height();
    return std::min<qint64>(storedBoxWidth, fitting) <= 960 ? 960 : 1280;
}

} // namespace tarvelo
