// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsLicence.h"

#include "ExternalLink.h"
#include "FileTitle.h"
#include "ForeignText.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace tarvelo {

namespace {

// Commons' own fields are short; anything longer is cut before any work on it.
constexpr qsizetype htmlInputLimit = 20'000;
constexpr qsizetype authorCharacters = 300;
// "File:" and a name of 255 bytes, never cut.
constexpr qsizetype titleCharacters = 5 + fileTitleBytes;
constexpr qsizetype urlCharacters = 2000;

// extmetadata's field `name`: {"value": "...", "source": ...}.
QString metadataValue(const QJsonObject& metadata, const char* name) {
    const QJsonValue value = metadata.value(QLatin1String(name)).toObject().value(u"value");
    if (value.isString()) {
        return value.toString().left(htmlInputLimit);
    }
    // A few fields may come as numbers or flags; present is what counts.
    if (value.isBool()) {
        return value.toBool() ? QStringLiteral("true") : QString();
    }
    if (value.isDouble()) {
        return QString::number(value.toDouble());
    }
    return {};
}

// A link the credit may show, judged as a link from a file is.
QString httpsLink(const QString& text) {
    return keptLink(text);
}

QString decodedEntity(const QString& name) {
    static const std::pair<const char*, char16_t> named[] = {
        {"amp", u'&'},    {"lt", u'<'},     {"gt", u'>'},     {"quot", u'"'},   {"apos", u'\''},
        {"nbsp", u' '},   {"ndash", u'–'},  {"mdash", u'—'},  {"copy", u'©'},   {"hellip", u'…'},
        {"laquo", u'«'},  {"raquo", u'»'},  {"bdquo", u'„'},  {"ldquo", u'“'},  {"rdquo", u'”'},
        {"lsquo", u'‘'},  {"rsquo", u'’'},  {"eacute", u'é'}, {"aacute", u'á'}, {"iacute", u'í'},
        {"oacute", u'ó'}, {"uacute", u'ú'}, {"auml", u'ä'},   {"ouml", u'ö'},   {"uuml", u'ü'},
        {"szlig", u'ß'},  {"ccedil", u'ç'}, {"egrave", u'è'},
    };
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint code =
            name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X'))
                ? name.mid(2).toUInt(&ok, 16)
                : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return QStringLiteral("\uFFFD");
        }
        const char32_t character = code;
        return QString::fromUcs4(&character, 1);
    }
    for (const auto& [entity, character] : named) {
        if (name == QLatin1String(entity)) {
            return QString(QChar(character));
        }
    }
    return QLatin1Char('&') + name + QLatin1Char(';');
}

QString decodedEntities(const QString& text) {
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]{1,8}|#[xX][0-9a-fA-F]{1,7}|[a-zA-Z]{2,8});"));
    QString decoded;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        decoded += text.mid(from, match.capturedStart() - from);
        decoded += decodedEntity(match.captured(1));
        from = match.capturedEnd();
    }
    decoded += text.mid(from);
    return decoded;
}

} // namespace

QString plainFromHtml(const QString& html, qsizetype characters) {
    static const QRegularExpression tag(QStringLiteral("<[^<>]*>"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QString text = html.left(htmlInputLimit);
    // A tag may separate words (<br>, </td><td>): it becomes a space, and
    // spaces collapse below. Entities come after, so an encoded "&lt;b&gt;"
    // stays text.
    text.replace(tag, QStringLiteral(" "));
    text = decodedEntities(text);
    text.replace(space, QStringLiteral(" "));
    return plainText(text.trimmed(), TextBounds{.characters = characters, .lines = 1});
}

std::variant<std::monostate, CommonsCandidate, RefusedFile> judgeFile(const QJsonObject& page) {
    const QString given = page.value(u"title").toString().left(htmlInputLimit);
    const QString title =
        plainText(given, TextBounds{.characters = titleCharacters, .lines = 1}).trimmed();
    const QJsonArray infos = page.value(u"imageinfo").toArray();
    if (title.isEmpty() || infos.isEmpty() || !infos.first().isObject()) {
        return std::monostate{};
    }
    // A title no real page can have ("<img …>", "%41", a control character)
    // is no file of Commons; what is named of it is plain text.
    // A valid title is already plain text; it is kept as Commons wrote it,
    // as the photograph is asked for again by it.
    if (!isFileTitle(given)) {
        return RefusedFile{plainText(title, quotedNameBounds)};
    }
    const QJsonObject info = infos.first().toObject();
    const QJsonObject metadata = info.value(u"extmetadata").toObject();
    const QString mime = info.value(u"mime").toString();
    const std::optional<QString> licence = freeLicenceName(metadataValue(metadata, "License"));
    const bool usable =
        (mime == QLatin1String("image/jpeg") || mime == QLatin1String("image/png")) && licence &&
        metadataValue(metadata, "NonFree").trimmed().isEmpty() &&
        metadataValue(metadata, "DeletionReason").trimmed().isEmpty() &&
        metadataValue(metadata, "Restrictions").trimmed().isEmpty();
    const QString pageLink = httpsLink(info.value(u"descriptionurl").toString());
    const int width = info.value(u"width").toInt();
    const int height = info.value(u"height").toInt();
    if (!usable || pageLink.isEmpty() || width <= 0 || height <= 0) {
        return RefusedFile{title};
    }

    CommonsCandidate candidate;
    candidate.title = title;
    candidate.mime = mime;
    candidate.size = QSize(width, height);
    candidate.gridThumbnail = QUrl(info.value(u"thumburl").toString().left(urlCharacters));
    PhotoCredit& credit = candidate.credit;
    for (const char* field : {"Attribution", "Artist", "Credit"}) {
        credit.author = plainFromHtml(metadataValue(metadata, field), authorCharacters);
        if (!credit.author.isEmpty()) {
            break;
        }
    }
    // LicenseShortName is free text on the file's page; the name shown is
    // the one of the licence that was judged.
    credit.licence = *licence;
    credit.licenceUrl = httpsLink(metadataValue(metadata, "LicenseUrl"));
    credit.page = pageLink;
    credit.shortPage = httpsLink(info.value(u"descriptionshorturl").toString());
    credit.title = title;
    return candidate;
}

} // namespace tarvelo
