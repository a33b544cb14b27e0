// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeWorld.h"

#include "JpegFixtures.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace tarvelo::fake {

namespace {

using Metadata = QList<QPair<QString, QString>>;

Metadata byShareAlike(const QString& artist) {
    return {{QStringLiteral("License"), QStringLiteral("cc-by-sa-4.0")},
            {QStringLiteral("LicenseShortName"), QStringLiteral("CC BY-SA 4.0")},
            {QStringLiteral("LicenseUrl"),
             QStringLiteral("https://creativecommons.org/licenses/by-sa/4.0")},
            {QStringLiteral("Artist"), artist}};
}

Metadata with(Metadata metadata, const QString& name, const QString& value) {
    metadata.erase(std::remove_if(metadata.begin(), metadata.end(),
                                  [&](const auto& field) { return field.first == name; }),
                   metadata.end());
    if (!value.isNull()) {
        metadata.append({name, value});
    }
    return metadata;
}

QByteArray json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

int pageId(std::size_t index) {
    return 1000 + static_cast<int>(index);
}

QString thumbnailName(const FakeFile& file) {
    QString name = file.title.mid(5);
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    // Commons turns what browsers cannot show into PNG.
    if (file.mime != QLatin1String("image/jpeg")) {
        name += QStringLiteral(".png");
    }
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

} // namespace

std::vector<HostileFile> hostileFiles() {
    const QString cc0 = QStringLiteral("cc0");
    const QString lie = QStringLiteral("CC0");
    return {
        {QStringLiteral("File:<img src=x width=4000><b>CC0</b>.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile [[link]].jpg"), cc0, lie},
        {QStringLiteral("File:Hostile {{template}}.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile a|b.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile #top.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile %41.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile ") + QChar(7) + QStringLiteral("bell.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile \uFFFD.jpg"), cc0, lie},
        {QStringLiteral("File:Hostile ") + QString(250, QLatin1Char('a')) + QStringLiteral(".jpg"),
         cc0, lie},
        {QStringLiteral("File:Hostile nc-nd.jpg"), QStringLiteral("cc-by-4.0-nc-nd"), lie},
        {QStringLiteral("File:Hostile nc.jpg"), QStringLiteral("cc-by-nc-sa-4.0"), lie},
        {QStringLiteral("File:Hostile lying.jpg"), QStringLiteral("cc-by-sa-3.0-de"), lie},
        {QStringLiteral("File:Hostile versions.jpg"), QStringLiteral("cc-by-sa-2.5,2.0,1.0"),
         QStringLiteral("<b>Public domain</b>")},
        {QStringLiteral("File:Hostile migrated.jpg"), QStringLiteral("cc-by-sa-3.0-migrated"),
         QStringLiteral("GFDL")},
    };
}

FakeWorld::FakeWorld() {
    auto add = [this](const QString& title, Metadata metadata) -> FakeFile& {
        files_.push_back(FakeFile{title, QStringLiteral("image/jpeg"), 4000, 3000, metadata});
        return files_.back();
    };

    // Charolais: sixty files, two pages of fifty; two refused.
    QStringList charolais;
    for (int i = 1; i <= 60; ++i) {
        const QString title =
            QStringLiteral("File:Charolais %1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        Metadata metadata = byShareAlike(QStringLiteral("Farmer %1").arg(i));
        if (i == 7) {
            metadata = with(metadata, QStringLiteral("NonFree"), QStringLiteral("true"));
        }
        if (i == 13) {
            metadata = with(metadata, QStringLiteral("License"), QStringLiteral("gfdl"));
            metadata = with(metadata, QStringLiteral("LicenseShortName"), QStringLiteral("GFDL"));
        }
        add(title, metadata);
        charolais << title;
    }
    categories_.append({QStringLiteral("Charolais cattle"), charolais});
    articles_.append(
        {QStringLiteral("enwiki|Charolais cattle"), QStringLiteral("Charolais cattle")});

    // Hereford: three in the category, so the search adds its own.
    const Metadata byTwo = {{QStringLiteral("License"), QStringLiteral("cc-by-2.0")},
                            {QStringLiteral("LicenseShortName"), QStringLiteral("CC BY 2.0")},
                            {QStringLiteral("LicenseUrl"),
                             QStringLiteral("https://creativecommons.org/licenses/by/2.0")},
                            {QStringLiteral("Artist"), QStringLiteral("Hereford Society")}};
    for (const char* name :
         {"Hereford bull", "Hereford cow", "Hereford calf", "Hereford herd", "Hereford in snow"}) {
        add(QStringLiteral("File:%1.jpg").arg(QLatin1String(name)), byTwo);
    }
    FakeFile& show = add(QStringLiteral("File:Hereford show.png"),
                         {{QStringLiteral("License"), QStringLiteral("cc0")},
                          {QStringLiteral("LicenseShortName"), QStringLiteral("CC0")},
                          {QStringLiteral("Artist"), QStringLiteral("Show committee")}});
    show.mime = QStringLiteral("image/png");
    show.width = 800;
    show.height = 600;
    categories_.append(
        {QStringLiteral("Hereford cattle"),
         {QStringLiteral("File:Hereford bull.jpg"), QStringLiteral("File:Hereford cow.jpg"),
          QStringLiteral("File:Hereford calf.jpg")}});
    articles_.append({QStringLiteral("enwiki|Hereford cattle"), QStringLiteral("Hereford cattle")});
    searches_.append(
        {QStringLiteral("Hereford cattle"),
         {QStringLiteral("File:Hereford cow.jpg"), QStringLiteral("File:Hereford herd.jpg"),
          QStringLiteral("File:Hereford in snow.jpg"), QStringLiteral("File:Hereford show.png")}});

    // Salers: an item without a category; the search alone finds them.
    QStringList salers;
    for (int i = 1; i <= 6; ++i) {
        salers << QStringLiteral("File:Salers %1.jpg").arg(i);
        add(salers.back(), byShareAlike(QStringLiteral("Jean Dupont")));
    }
    articles_.append({QStringLiteral("enwiki|Salers cattle"), QString()});
    searches_.append({QStringLiteral("Salers cattle"), salers});

    // Jersey: every way a file is refused, and credits written in HTML.
    const Metadata byAnn = byShareAlike(QStringLiteral("Ann"));
    add(QStringLiteral("File:Jersey nonfree.jpg"),
        with(byAnn, QStringLiteral("NonFree"), QStringLiteral("true")));
    add(QStringLiteral("File:Jersey deletion.jpg"),
        with(byAnn, QStringLiteral("DeletionReason"), QStringLiteral("Copyright violation")));
    add(QStringLiteral("File:Jersey restricted.jpg"),
        with(byAnn, QStringLiteral("Restrictions"), QStringLiteral("trademarked")));
    add(QStringLiteral("File:Jersey gfdl.jpg"),
        with(with(byAnn, QStringLiteral("License"), QStringLiteral("gfdl")),
             QStringLiteral("LicenseShortName"), QStringLiteral("GFDL")));
    add(QStringLiteral("File:Jersey unknown.jpg"),
        with(byAnn, QStringLiteral("License"), QString()));
    add(QStringLiteral("File:Jersey nc.jpg"),
        with(byAnn, QStringLiteral("License"), QStringLiteral("cc-by-nc-sa-2.0")));
    add(QStringLiteral("File:Jersey scan.tif"), byAnn).mime = QStringLiteral("image/tiff");
    add(QStringLiteral("File:Jersey drawing.svg"), byAnn).mime = QStringLiteral("image/svg+xml");
    add(QStringLiteral("File:Jersey cow.jpg"),
        byShareAlike(QStringLiteral("<a href=\"//commons.wikimedia.org/wiki/User:Jana\" "
                                    "title=\"User:Jana\">Jana &amp; Petr\n  Nov&#225;k</a>")));
    add(QStringLiteral("File:Jersey bull.jpg"),
        with(byShareAlike(QStringLiteral("<b>Not this one</b>")), QStringLiteral("Attribution"),
             QStringLiteral("Photo: Eva Dvořák")));
    add(QStringLiteral("File:Jersey calf.jpg"),
        with(byShareAlike({}), QStringLiteral("Credit"),
             QStringLiteral("<span class=\"int-own-work\" lang=\"en\">Own work</span>")));
    FakeFile& herd = add(QStringLiteral("File:Jersey herd.png"),
                         {{QStringLiteral("License"), QStringLiteral("cc0")},
                          {QStringLiteral("LicenseShortName"), QStringLiteral("CC0")},
                          {QStringLiteral("LicenseUrl"),
                           QStringLiteral("https://creativecommons.org/publicdomain/zero/1.0/")},
                          {QStringLiteral("Artist"), QStringLiteral("Karel")}});
    herd.mime = QStringLiteral("image/png");
    herd.width = 1200;
    herd.height = 900;
    add(QStringLiteral("File:Jersey old.jpg"),
        {{QStringLiteral("License"), QStringLiteral("pd")},
         {QStringLiteral("LicenseShortName"), QStringLiteral("Public domain")},
         {QStringLiteral("Artist"), QStringLiteral("Unknown author")}});
    FakeFile& pasture =
        add(QStringLiteral("File:Jersey pasture.jpg"),
            {{QStringLiteral("License"), QStringLiteral("cc-by-sa-3.0-de")},
             {QStringLiteral("LicenseShortName"), QStringLiteral("CC BY-SA 3.0 de")},
             {QStringLiteral("LicenseUrl"),
              QStringLiteral("http://creativecommons.org/licenses/by-sa/3.0/de")},
             {QStringLiteral("Artist"), QStringLiteral("Hans")}});
    pasture.width = 6000;
    pasture.height = 1500;
    add(QStringLiteral("File:Jersey evil.jpg"),
        with(byShareAlike(QStringLiteral("Ann\u202Egnp.exe\x1b[31m &lt;script&gt;")),
             QStringLiteral("License"), QStringLiteral("cc-by-4.0")));
    QStringList jersey;
    for (const FakeFile& file : files_) {
        if (file.title.startsWith(QLatin1String("File:Jersey"))) {
            jersey << file.title;
        }
    }
    categories_.append({QStringLiteral("Jersey cattle"), jersey});
    articles_.append({QStringLiteral("enwiki|Jersey cattle"), QStringLiteral("Jersey cattle")});

    // Czech Fleckvieh: from the Czech Wikipedia, five files, enough.
    QStringList czech;
    for (int i = 1; i <= 5; ++i) {
        czech << QStringLiteral("File:Český strakatý skot %1.jpg").arg(i);
        add(czech.back(), byShareAlike(QStringLiteral("Josef Novák")));
    }
    categories_.append({QStringLiteral("Czech Fleckvieh"), czech});
    articles_.append(
        {QStringLiteral("cswiki|Český strakatý skot"), QStringLiteral("Czech Fleckvieh")});

    // What a hostile or broken server may offer, found only by searching
    // for "Hostile": titles no real page can have, a non-commercial licence
    // that calls itself CC0, and free ones whose LicenseShortName lies.
    QStringList hostile;
    for (const auto& [title, license, shortName] : hostileFiles()) {
        hostile << title;
        add(title, {{QStringLiteral("License"), license},
                    {QStringLiteral("LicenseShortName"), shortName},
                    {QStringLiteral("Artist"), QStringLiteral("Mallory")}});
    }
    searches_.append({QStringLiteral("Hostile"), hostile});

    // Red Holstein: no article; only searched for.
    for (const char* name : {"Red Holstein cow", "Red Holstein heifer"}) {
        add(QStringLiteral("File:%1.jpg").arg(QLatin1String(name)), byTwo);
    }
    searches_.append({QStringLiteral("Red Holstein cattle"),
                      {QStringLiteral("File:Red Holstein cow.jpg"),
                       QStringLiteral("File:Red Holstein heifer.jpg")}});
}

QStringList FakeWorld::category(const QString& name) const {
    for (const auto& [category, titles] : categories_) {
        if (category == name) {
            return titles;
        }
    }
    return {};
}

Answer FakeWorld::api(const QUrlQuery& query, const QString& base) const {
    const QString action = query.queryItemValue(QStringLiteral("action"), QUrl::FullyDecoded);
    Answer answer;
    if (action == QLatin1String("wbgetentities")) {
        answer.body = entities(query);
    } else if (action == QLatin1String("query")) {
        answer.body = this->query(query, base);
    } else {
        answer.body = json({{QStringLiteral("error"),
                             QJsonObject{{QStringLiteral("code"), QStringLiteral("badvalue")},
                                         {QStringLiteral("info"),
                                          QStringLiteral("Unrecognized value for parameter "
                                                         "\"action\".")}}}});
    }
    return answer;
}

QByteArray FakeWorld::entities(const QUrlQuery& query) const {
    const QString site = query.queryItemValue(QStringLiteral("sites"), QUrl::FullyDecoded);
    const QString title = query.queryItemValue(QStringLiteral("titles"), QUrl::FullyDecoded);
    for (qsizetype i = 0; i < articles_.size(); ++i) {
        if (articles_[i].first != site + QLatin1Char('|') + title) {
            continue;
        }
        const QString id = QStringLiteral("Q%1").arg(9100 + i);
        QJsonObject claims;
        if (!articles_[i].second.isEmpty()) {
            const QJsonObject snak{
                {QStringLiteral("snaktype"), QStringLiteral("value")},
                {QStringLiteral("property"), QStringLiteral("P373")},
                {QStringLiteral("datavalue"),
                 QJsonObject{{QStringLiteral("value"), articles_[i].second},
                             {QStringLiteral("type"), QStringLiteral("string")}}},
                {QStringLiteral("datatype"), QStringLiteral("string")}};
            claims.insert(
                QStringLiteral("P373"),
                QJsonArray{QJsonObject{{QStringLiteral("mainsnak"), snak},
                                       {QStringLiteral("type"), QStringLiteral("statement")},
                                       {QStringLiteral("id"), id + QStringLiteral("$1")},
                                       {QStringLiteral("rank"), QStringLiteral("normal")}}});
        }
        // Another claim, as every real item has many.
        claims.insert(
            QStringLiteral("P31"),
            QJsonArray{QJsonObject{
                {QStringLiteral("mainsnak"),
                 QJsonObject{
                     {QStringLiteral("snaktype"), QStringLiteral("value")},
                     {QStringLiteral("property"), QStringLiteral("P31")},
                     {QStringLiteral("datavalue"),
                      QJsonObject{
                          {QStringLiteral("value"),
                           QJsonObject{{QStringLiteral("id"), QStringLiteral("Q138868")}}},
                          {QStringLiteral("type"), QStringLiteral("wikibase-entityid")}}}}}}});
        return json({{QStringLiteral("entities"),
                      QJsonObject{{id, QJsonObject{{QStringLiteral("type"), QStringLiteral("item")},
                                                   {QStringLiteral("id"), id},
                                                   {QStringLiteral("claims"), claims}}}}},
                     {QStringLiteral("success"), 1}});
    }
    return json(
        {{QStringLiteral("entities"),
          QJsonObject{{QStringLiteral("-1"), QJsonObject{{QStringLiteral("site"), site},
                                                         {QStringLiteral("title"), title},
                                                         {QStringLiteral("missing"), QString()}}}}},
         {QStringLiteral("success"), 1}});
}

QByteArray FakeWorld::query(const QUrlQuery& query, const QString& base) const {
    auto value = [&query](const char* name) {
        return query.queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
    };
    const int thumbWidth = std::clamp(value("iiurlwidth").toInt(), 1, 4000);
    auto pageOf = [&](const QString& title) -> QJsonObject {
        const auto found = std::find_if(files_.begin(), files_.end(),
                                        [&](const FakeFile& file) { return file.title == title; });
        if (found == files_.end()) {
            return {{QStringLiteral("ns"), 6},
                    {QStringLiteral("title"), title},
                    {QStringLiteral("missing"), true}};
        }
        const auto index = static_cast<std::size_t>(found - files_.begin());
        const FakeFile& file = *found;
        QJsonObject metadata;
        for (const auto& [name, text] : file.metadata) {
            metadata.insert(
                name, QJsonObject{{QStringLiteral("value"), text},
                                  {QStringLiteral("source"), QStringLiteral("commons-desc-page")}});
        }
        const int shownWidth = std::min(thumbWidth, file.width);
        const QString page =
            QStringLiteral("https://commons.wikimedia.org/wiki/") +
            QString::fromLatin1(QUrl::toPercentEncoding(
                QString(file.title).replace(QLatin1Char(' '), QLatin1Char('_')), ":"));
        const QJsonObject info{
            {QStringLiteral("size"), file.width * file.height / 4},
            {QStringLiteral("width"), file.width},
            {QStringLiteral("height"), file.height},
            {QStringLiteral("thumburl"), QStringLiteral("%1/thumb/%2/%3px-%4")
                                             .arg(base)
                                             .arg(index)
                                             .arg(shownWidth)
                                             .arg(thumbnailName(file))},
            {QStringLiteral("thumbwidth"), shownWidth},
            {QStringLiteral("thumbheight"), shownWidth * file.height / file.width},
            {QStringLiteral("url"), QStringLiteral("%1/original/%2").arg(base).arg(index)},
            {QStringLiteral("descriptionurl"), page},
            {QStringLiteral("descriptionshorturl"),
             QStringLiteral("https://commons.wikimedia.org/w/index.php?curid=%1")
                 .arg(pageId(index))},
            {QStringLiteral("mime"), file.mime},
            {QStringLiteral("extmetadata"), metadata}};
        return {{QStringLiteral("pageid"), pageId(index)},
                {QStringLiteral("ns"), 6},
                {QStringLiteral("title"), file.title},
                {QStringLiteral("imagerepository"), QStringLiteral("local")},
                {QStringLiteral("imageinfo"), QJsonArray{info}}};
    };

    QJsonArray pages;
    QJsonObject next;
    const QString generator = value("generator");
    if (generator == QLatin1String("categorymembers")) {
        QString name = value("gcmtitle");
        name.remove(QRegularExpression(QStringLiteral("^Category:")));
        const QStringList titles = category(name);
        // The token the next call must send back, with the continue member
        // that belongs to it.
        const QString token = value("gcmcontinue");
        int from = 0;
        if (!token.isEmpty()) {
            if (value("continue") != QLatin1String("gcmcontinue||")) {
                return json({{QStringLiteral("error"),
                              QJsonObject{{QStringLiteral("code"), QStringLiteral("badcontinue")},
                                          {QStringLiteral("info"),
                                           QStringLiteral("Invalid continue param. You should "
                                                          "pass the original value returned by "
                                                          "the previous query.")}}}});
            }
            from = token.section(QLatin1Char('|'), 2).toInt();
        }
        const int limit = std::clamp(value("gcmlimit").toInt(), 1, 500);
        for (int i = from; i < std::min<int>(from + limit, static_cast<int>(titles.size())); ++i) {
            pages.append(pageOf(titles[i]));
        }
        if (from + limit < titles.size()) {
            next = {{QStringLiteral("gcmcontinue"),
                     QStringLiteral("file|%1|%2")
                         .arg(QString::fromLatin1(titles[from + limit].toUtf8().toHex().left(16)))
                         .arg(from + limit)},
                    {QStringLiteral("continue"), QStringLiteral("gcmcontinue||")}};
        }
    } else if (generator == QLatin1String("search")) {
        const QString words = value("gsrsearch");
        QStringList titles;
        for (const auto& [searched, found] : searches_) {
            if (searched == words) {
                titles = found;
            }
        }
        if (titles.isEmpty() && value("gsrnamespace") == QLatin1String("6")) {
            for (const FakeFile& file : files_) {
                if (file.title.contains(words, Qt::CaseInsensitive)) {
                    titles << file.title;
                }
            }
        }
        const int limit = std::clamp(value("gsrlimit").toInt(), 1, 500);
        titles = titles.mid(0, limit);
        // The pages come in any order; "index" is the search's rank.
        for (qsizetype i = titles.size() - 1; i >= 0; --i) {
            QJsonObject page = pageOf(titles[i]);
            page.insert(QStringLiteral("index"), static_cast<int>(i + 1));
            pages.append(page);
        }
    } else if (query.hasQueryItem(QStringLiteral("titles"))) {
        for (const QString& title : value("titles").split(QLatin1Char('|'))) {
            pages.append(pageOf(title));
        }
    }
    QJsonObject answer{{QStringLiteral("batchcomplete"), true}};
    if (!next.isEmpty()) {
        answer.insert(QStringLiteral("continue"), next);
    }
    if (!pages.isEmpty()) {
        answer.insert(QStringLiteral("query"), QJsonObject{{QStringLiteral("pages"), pages}});
    }
    return json(answer);
}

Answer FakeWorld::thumbnail(const QString& path) const {
    static const QRegularExpression shape(QStringLiteral("^/thumb/([0-9]+)/([0-9]+)px-"));
    const QRegularExpressionMatch match = shape.match(path);
    const std::size_t index = match.hasMatch() ? match.captured(1).toULongLong() : files_.size();
    if (index >= files_.size()) {
        return {404, "text/plain", "Not Found", {}};
    }
    const FakeFile& file = files_[index];
    const int width = std::clamp(match.captured(2).toInt(), 16, 2000);
    const int height = std::max(1, width * file.height / file.width);
    if (path.endsWith(QLatin1String(".png"))) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(40, 140, 60));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return {200, "image/png", bytes, {}};
    }
    fixtures::JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.pattern = fixtures::Pattern::Photo;
    // Each file a picture of its own, as on Commons: two photographs of one
    // breed are never the same bytes.
    recipe.quality = 70 + static_cast<int>(index % 25);
    const fixtures::Bytes jpeg = fixtures::makeJpeg(recipe);
    return {
        200,
        "image/jpeg",
        QByteArray(reinterpret_cast<const char*>(jpeg.data()), static_cast<qsizetype>(jpeg.size())),
        {}};
}

} // namespace tarvelo::fake
