// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrlQuery>
#include <vector>

namespace tarvelo::fake {

// A made-up Wikimedia Commons and Wikidata, answering as the MediaWiki API
// does with formatversion=2: breeds whose articles' items name a category
// (one large enough to need `continue`, one with too few files, one with
// files under every kind of refused licence), one whose item names none, a
// breed without an article, and a search over all the files.

struct Answer {
    int status = 200;
    QByteArray contentType = "application/json; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
};

struct FakeFile {
    QString title;
    QString mime = QStringLiteral("image/jpeg");
    int width = 4000;
    int height = 3000;
    // extmetadata's fields, by name; each becomes {"value": …, "source": …}.
    QList<QPair<QString, QString>> metadata;
};

// A file a hostile server offers: its title, License and LicenseShortName.
struct HostileFile {
    QString title;
    QString license;
    QString shortName;
};
std::vector<HostileFile> hostileFiles();

class FakeWorld {
public:
    FakeWorld();

    // An API call, its thumbnails under base ("http://127.0.0.1:PORT").
    Answer api(const QUrlQuery& query, const QString& base) const;
    // /thumb/ID/WIDTHpx-NAME: the file's picture at that width, JPEG or PNG.
    Answer thumbnail(const QString& path) const;

    const std::vector<FakeFile>& files() const { return files_; }
    QStringList category(const QString& name) const;

private:
    QByteArray entities(const QUrlQuery& query) const;
    QByteArray query(const QUrlQuery& query, const QString& base) const;

    std::vector<FakeFile> files_;
    // Category name -> titles; Wikipedia (site, title) -> category, or empty
    // for an item without P373.
    QList<QPair<QString, QStringList>> categories_;
    QList<QPair<QString, QString>> articles_; // "enwiki|Title" -> category
    QList<QPair<QString, QStringList>> searches_;
};

} // namespace tarvelo::fake
