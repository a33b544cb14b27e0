// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a starting corpus for the Commons answer fuzzer into the given
// folder: the answers the made-up Commons and Wikidata give (a category's
// pages with `continue`, every kind of refused file, a search, titles some of
// which are missing, Wikidata items), and what a hostile server may send
// instead, each as NAME.json.
#include "FakeWorld.h"
#include "SeedCorpus.h"

#include <QByteArray>
#include <QString>
#include <QUrlQuery>
#include <cstdio>
#include <string>

namespace {

using tarvelo::fake::FakeWorld;

using Corpus = tarvelo::fuzz::SeedCorpus;

QByteArray asked(const FakeWorld& world, const QString& query) {
    return world.api(QUrlQuery(query), QStringLiteral("https://upload.wikimedia.org")).body;
}

void madeUpAnswers(Corpus& corpus) {
    const FakeWorld world;
    const QString files = QStringLiteral("&prop=imageinfo&iiprop=url%7Csize%7Cmime%7Cextmetadata"
                                         "&iiurlwidth=330");
    corpus.add("category-first-page",
               asked(world, QStringLiteral("action=query&generator=categorymembers&gcmtitle="
                                           "Category:Charolais%20cattle&gcmlimit=50") +
                                files));
    corpus.add("category-refused-kinds",
               asked(world, QStringLiteral("action=query&generator=categorymembers&gcmtitle="
                                           "Category:Jersey%20cattle&gcmlimit=50") +
                                files));
    corpus.add("search", asked(world, QStringLiteral("action=query&generator=search&"
                                                     "gsrnamespace=6&gsrsearch=Hereford%20cattle&"
                                                     "gsrlimit=50") +
                                          files));
    corpus.add("titles-missing",
               asked(world, QStringLiteral("action=query&titles=File:Jersey%20cow.jpg%7C"
                                           "File:Nothing%20here.jpg") +
                                files));
    corpus.add("item-with-category",
               asked(world, QStringLiteral("action=wbgetentities&sites=enwiki&titles="
                                           "Jersey%20cattle&props=claims")));
    corpus.add("item-without-category",
               asked(world, QStringLiteral("action=wbgetentities&sites=enwiki&titles="
                                           "Salers%20cattle&props=claims")));
    corpus.add("item-missing", asked(world, QStringLiteral("action=wbgetentities&sites=enwiki&"
                                                           "titles=Nothing&props=claims")));
}

// One file's page with the given title and licence fields.
QByteArray onePage(const char* title, const char* license, const char* shortName,
                   const char* extra = "") {
    return QByteArray(R"({"batchcomplete":true,"query":{"pages":[{"pageid":1,"ns":6,"title":")") +
           title +
           R"(","imageinfo":[{"width":4000,"height":3000,"mime":"image/jpeg",)"
           R"("thumburl":"https://upload.wikimedia.org/a/330px-A.jpg",)"
           R"("descriptionurl":"https://commons.wikimedia.org/wiki/File:A.jpg",)"
           R"("extmetadata":{"License":{"value":")" +
           license + R"("},"LicenseShortName":{"value":")" + shortName +
           R"("},"Artist":{"value":"<a href=\"x\">Ann</a>"}}}]}]})" + extra + "}";
}

void hostileAnswers(Corpus& corpus) {
    corpus.add("title-markup",
               onePage(R"(File:<img src=x width=4000><b>CC0</b>.jpg)", "cc0", "CC0"));
    corpus.add("title-escape", onePage("File:Cow%41.jpg", "cc0", "CC0"));
    corpus.add("title-control", onePage(R"(File:Cow\u0007\u202e.jpg)", "cc0", "CC0"));
    corpus.add("title-long",
               onePage(("File:" + std::string(300, 'a') + ".jpg").c_str(), "cc0", "CC0"));
    corpus.add("licence-nc-nd", onePage("File:Cow.jpg", "cc-by-4.0-nc-nd", "CC0"));
    corpus.add("licence-multi", onePage("File:Cow.jpg", "cc-by-sa-2.5,2.0,1.0", "<b>x</b>"));
    corpus.add("licence-port", onePage("File:Cow.jpg", "cc-by-sa-3.0-de", "CC BY-SA 3.0 de"));
    corpus.add("licence-migrated",
               onePage("File:Cow.jpg", "cc-by-sa-3.0-migrated", "CC BY-SA 3.0"));
    corpus.add("endless-continue", R"({"continue":{"continue":"||","sroffset":50}})");
    corpus.add("continue-odd",
               R"({"continue":{"a":[1],"b":{"c":2},"d":1e300,"e":-1,"f":"x|y&z=1"}})");
    corpus.add("numbers-huge",
               R"({"query":{"pages":[{"title":"File:A.jpg","index":1e308,"imageinfo":[)"
               R"({"width":1e308,"height":-1e308,"mime":"image/png"}]}]}})");
    corpus.add("deep", QByteArray(60, '[') + QByteArray(60, ']'));
    corpus.add("error-maxlag", R"({"error":{"code":"maxlag","info":"lagged","lag":7}})");
    corpus.add("not-an-object", "[1,2,3]");
    corpus.add("empty", "");
    corpus.add("retry-after-huge", "9223372039002260");
    corpus.add("retry-after-date", "Wed, 21 Oct 2026 07:28:00 GMT");
    corpus.add("content-length-huge", "99999999999999999999999999");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    Corpus corpus(argv[1], "answer", "json");
    madeUpAnswers(corpus);
    hostileAnswers(corpus);
    return 0;
}
