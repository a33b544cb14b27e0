// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a starting corpus for the shared-set fuzzer into the given folder:
// archives made by hand with libzip, whole sets with a few tiny photographs
// and everything a hostile file may try (manifests, entry names, links,
// sizes that lie, archives cut short), each as NAME.tarvelo.
#include "PhotoFixtures.h"
#include "RawArchive.h"
#include "SeedCorpus.h"

#include <QBuffer>
#include <QByteArray>
#include <QColorSpace>
#include <QImage>
#include <cstdio>
#include <string>
#include <vector>
#include <zip.h>

namespace {

using tarvelo::fixtures::Bytes;
using tarvelo::fixtures::encrypted;
using tarvelo::fixtures::entryData;
using tarvelo::fixtures::RawEntry;
using tarvelo::fixtures::renamed;
using tarvelo::fixtures::withDeclaredSize;
using tarvelo::fixtures::withMethod;

// Entries not told otherwise are stored, so that mutations reach the
// photographs' own bytes.
QByteArray archive(std::vector<RawEntry> entries) {
    for (RawEntry& entry : entries) {
        if (entry.method == ZIP_CM_DEFAULT) {
            entry.method = ZIP_CM_STORE;
        }
    }
    return tarvelo::fixtures::rawArchive(entries);
}

QByteArray fromBytes(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QByteArray jpeg(int width, int height, bool progressive = false,
                tarvelo::fixtures::Colour colour = tarvelo::fixtures::Colour::Rgb) {
    return fromBytes(tarvelo::fixtures::makeJpeg({.width = width,
                                                  .height = height,
                                                  .colour = colour,
                                                  .pattern = tarvelo::fixtures::Pattern::Photo,
                                                  .progressive = progressive,
                                                  .quality = 60}));
}

QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(40, 120, 30, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray manifest(const char* json) {
    return QByteArray(json);
}

const QByteArray goodManifest = manifest(R"({"format": 1, "name": "Třída 5.A", "note": "Fotky"})");

// A small whole set: the manifest and three photographs.
std::vector<RawEntry> smallSet(zip_int32_t method) {
    return {{"tarvelo-set.json", goodManifest, ZIP_CM_DEFLATE},
            {"obr/0/0.jpg", jpeg(24, 16), method},
            {"obr/0/3.jpg", jpeg(16, 24), method},
            {"obr/1/3.jpg", jpeg(20, 20), method}};
}

using Corpus = tarvelo::fuzz::SeedCorpus;

void wholeSets(Corpus& corpus) {
    corpus.add("stored", archive(smallSet(ZIP_CM_STORE)));
    corpus.add("deflated", archive(smallSet(ZIP_CM_DEFLATE)));
    auto folders = smallSet(ZIP_CM_STORE);
    folders.insert(folders.begin(), {{"obr/", {}}, {"obr/0/", {}}, {"obr/1/", {}}});
    corpus.add("folders", archive(folders));
    // Photographs the import takes in: turned, with a colour profile, PNG,
    // progressive, grey, CMYK, wider than the quiz's box; and gaps.
    const QByteArray turned =
        fromBytes(tarvelo::fixtures::withExifOrientation(tarvelo::fixtures::makeJpeg({}), 6));
    const QByteArray profiled = fromBytes(
        tarvelo::fixtures::withIccProfile(tarvelo::fixtures::makeJpeg({.width = 16, .height = 12}),
                                          QColorSpace(QColorSpace::DisplayP3).iccProfile()));
    corpus.add("imported",
               archive({{"tarvelo-set.json", goodManifest},
                        {"obr/0/1.jpg", turned},
                        {"obr/0/2.jpg", profiled, ZIP_CM_DEFLATE},
                        {"obr/0/5.jpg", png(30, 20), ZIP_CM_DEFLATE},
                        {"obr/0/6.jpg", jpeg(24, 16, true)},
                        {"obr/0/7.jpg", jpeg(24, 16, false, tarvelo::fixtures::Colour::Grey)},
                        {"obr/0/8.jpg", jpeg(24, 16, false, tarvelo::fixtures::Colour::AdobeCmyk)},
                        {"obr/0/9.jpg", jpeg(1950, 8)}}));
    corpus.add("gaps", archive({{"tarvelo-set.json", goodManifest},
                                {"obr/4/0.jpg", jpeg(16, 16)},
                                {"obr/9/18.jpg", jpeg(16, 16)},
                                {"obr/2/18.jpg", jpeg(16, 16)}}));
    corpus.add("no-photographs", archive({{"tarvelo-set.json", goodManifest}}));
}

void badPhotographs(Corpus& corpus) {
    const QByteArray whole = jpeg(24, 16);
    Bytes huge = tarvelo::fixtures::makeJpeg({.width = 16, .height = 16});
    tarvelo::fixtures::patchFrameSize(huge, 60000, 60000);
    corpus.add("photo-cut-short", archive({{"tarvelo-set.json", goodManifest},
                                           {"obr/0/0.jpg", whole.left(whole.size() / 2)}}));
    corpus.add("photo-huge-frame",
               archive({{"tarvelo-set.json", goodManifest}, {"obr/0/0.jpg", fromBytes(huge)}}));
    corpus.add("photo-not-a-picture",
               archive({{"tarvelo-set.json", goodManifest}, {"obr/0/0.jpg", "Krávy na pastvě"}}));
    corpus.add("photo-empty", archive({{"tarvelo-set.json", goodManifest}, {"obr/0/0.jpg", {}}}));
}

void manifests(Corpus& corpus) {
    const std::pair<const char*, const char*> variants[] = {
        {"not-json", "{\"format\": 1, \"name\": "},
        {"array", "[1, 2, 3]"},
        {"empty", ""},
        {"format-huge", R"({"format": 1e300})"},
        {"format-big-integer", R"({"format": 99999999999})"},
        {"format-newer", R"({"format": 2, "name": "z budoucnosti"})"},
        {"format-string", R"({"format": "1"})"},
        {"format-fraction", R"({"format": 1.5})"},
        {"format-negative", R"({"format": -1})"},
        {"format-missing", R"({"name": "bez verze"})"},
        {"odd-types", R"({"format": 1, "name": 5, "note": [1, {"a": null}]})"},
        {"markup", R"({"format": 1, "name": "<b>Třída</b>\n<img src=x>", "note": "\u0000\t"})"},
        {"byte-order-mark", "\xEF\xBB\xBF{\"format\": 1}"},
        {"credits",
         R"({"format": 1, "credits": {"obr/0/0.jpg": {"author": "Jana <b>N</b>", "licence": )"
         R"("CC BY 4.0", "licenceUrl": "https://creativecommons.org/licenses/by/4.0/", )"
         R"("page": "http://example.org/", "shortPage": 7, "title": "File:\u202eA.jpg"}, )"
         R"("obr/9/18.jpg": {"author": "nikdo"}, "../x": "y"}})"},
        // A link's scheme in capitals: kept, and written as every kept link is.
        {"credit-scheme-capitals",
         R"({"format": 1, "credits": {"obr/0/0.jpg": {"author": "Jana", "licenceUrl": )"
         R"("httpS://creativecommons.org/", "page": "HTTPS://commons.wikimedia.org/"}}})"},
    };
    for (const auto& [name, json] : variants) {
        corpus.add(std::string("manifest-") + name,
                   archive({{"tarvelo-set.json", manifest(json), ZIP_CM_STORE},
                            {"obr/0/0.jpg", jpeg(16, 16)}}));
    }
    corpus.add("manifest-missing", archive({{"obr/0/0.jpg", jpeg(16, 16)}}));
}

void names(Corpus& corpus) {
    const char* names[] = {
        "obr/0/0.jpg\n", "tarvelo-set.json\n", "../obr/0/1.jpg", "obr/../obr/0/1.jpg",
        "obr\\0\\2.jpg", "/obr/0/3.jpg",       "obr/0/19.jpg",   "obr/10/0.jpg",
        "obr/0/03.jpg",  "OBR/0/0.jpg",        "obr/0/0.JPG",    "obr/0/0.jpg.exe",
        "obr/1/5.jpg\n", "C:/obr/0/0.jpg",     "obr/0/0.jpg ",   "obr/0/./0.jpg",
    };
    int n = 0;
    for (const char* name : names) {
        corpus.add("name-" + std::to_string(n++), archive({{"tarvelo-set.json", goodManifest},
                                                           {"obr/0/4.jpg", jpeg(16, 16)},
                                                           {name, jpeg(16, 16)}}));
    }
    // The same photograph twice, and the manifest twice.
    corpus.add("duplicate-photo", renamed(archive({{"tarvelo-set.json", goodManifest},
                                                   {"obr/0/1.jpg", jpeg(16, 16)},
                                                   {"obr/0/2.jpg", jpeg(20, 16)}}),
                                          "obr/0/2.jpg", "obr/0/1.jpg"));
    corpus.add("duplicate-manifest",
               renamed(archive({{"tarvelo-set.json", goodManifest},
                                {"tarvelo-set.jsoX", manifest(R"({"format": 2})")},
                                {"obr/0/1.jpg", jpeg(16, 16)}}),
                       "tarvelo-set.jsoX", "tarvelo-set.json"));
    // More entries than a set has places for.
    std::vector<RawEntry> many;
    for (int i = 0; i <= 400; ++i) {
        many.push_back({"x" + std::to_string(i), {}});
    }
    corpus.add("many-entries", archive(many));
}

void hostileArchives(Corpus& corpus) {
    corpus.add("symlink",
               archive({{"tarvelo-set.json", goodManifest},
                        {"obr/0/0.jpg", "../../../../etc/passwd", ZIP_CM_STORE, 0120777}}));
    corpus.add("device", archive({{"tarvelo-set.json", goodManifest},
                                  {"obr/0/0.jpg", {}, ZIP_CM_STORE, 0020644}}));
    corpus.add("encrypted", encrypted(archive(smallSet(ZIP_CM_STORE))));
    corpus.add("method-bzip2", withMethod(archive(smallSet(ZIP_CM_STORE)), 1, 12));
    corpus.add("method-unknown", withMethod(archive(smallSet(ZIP_CM_DEFLATE)), 1, 99));

    // Data that inflates past the size its headers declare, and a size
    // declared far beyond any limit.
    const QByteArray zeros(5000, '\0');
    const QByteArray bomb = archive({{"tarvelo-set.json", goodManifest, ZIP_CM_DEFLATE},
                                     {"obr/0/6.jpg", zeros, ZIP_CM_DEFLATE}});
    corpus.add("inflates-past-size", withDeclaredSize(bomb, 1, 100));
    corpus.add("declared-huge", withDeclaredSize(bomb, 1, 0xFFFFFFF0u));
    corpus.add("declared-larger", withDeclaredSize(bomb, 1, 6000));

    // A photograph's bytes that no longer match their checksum.
    QByteArray changed = archive(smallSet(ZIP_CM_STORE));
    const qsizetype data = entryData(changed, 1);
    changed[data + 40] = static_cast<char>(changed[data + 40] ^ 0x55);
    corpus.add("checksum", changed);

    const QByteArray whole = archive(smallSet(ZIP_CM_DEFLATE));
    corpus.add("cut-at-half", whole.left(whole.size() / 2));
    corpus.add("cut-in-directory", whole.left(whole.size() - 30));
    corpus.add("cut-at-end", whole.left(whole.size() - 1));
}

void notArchives(Corpus& corpus) {
    corpus.add("empty-file", {});
    corpus.add("text", "Tohle není sada, jen text.\n");
    corpus.add("jpeg", jpeg(16, 16));
    corpus.add("local-header-only", QByteArray("PK\x03\x04", 4) + QByteArray(40, '\x01'));
    corpus.add("empty-archive", QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    Corpus corpus(argv[1], "set", "tarvelo");
    wholeSets(corpus);
    badPhotographs(corpus);
    manifests(corpus);
    names(corpus);
    hostileArchives(corpus);
    notArchives(corpus);
    return 0;
}
