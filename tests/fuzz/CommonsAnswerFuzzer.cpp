// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as an answer of Commons' or Wikidata's
// API, taken as the program takes one: the files of a category, a search
// or titles (candidates with their credits, refused and missing titles, where
// to go on), the Commons category of a Wikidata item, and the same bytes
// as the numbers of a Retry-After or Content-Length header. Whatever the
// bytes, every candidate is a file Commons can have under a free licence,
// shown as bounded plain text with https links only.
#include "BoundedJson.h"
#include "CommonsAnswer.h"
#include "CommonsQueries.h"
#include "FileTitle.h"
#include "ForeignText.h"
#include "FreeLicence.h"
#include "HeaderNumbers.h"
#include "NetworkLimits.h"

#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace tarvelo;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isPlain(const QString& text, qsizetype characters) {
    return text.size() <= characters &&
           text == plainText(text, TextBounds{.characters = characters, .lines = 1});
}

bool isHttpsOrEmpty(const QString& link) {
    return link.isEmpty() || link.startsWith(QLatin1String("https://"));
}

void checkCandidate(const CommonsCandidate& candidate) {
    static const QRegularExpression licenceName(QRegularExpression::anchoredPattern(
        QStringLiteral("CC0|Public domain|CC BY(-SA)? [1-4]\\.[0-9](, [1-4]\\.[0-9])*"
                       "( [A-Z]{2}| IGO| Scotland)?")));
    check(isFileTitle(candidate.title) && isPlain(candidate.title, 300));
    check(candidate.credit.title == candidate.title);
    check(candidate.mime == QLatin1String("image/jpeg") ||
          candidate.mime == QLatin1String("image/png"));
    check(candidate.size.width() > 0 && candidate.size.height() > 0);
    check(licenceName.match(candidate.credit.licence).hasMatch());
    check(isPlain(candidate.credit.author, 300));
    check(!candidate.credit.page.isEmpty() && isHttpsOrEmpty(candidate.credit.page));
    check(isHttpsOrEmpty(candidate.credit.licenceUrl));
    check(isHttpsOrEmpty(candidate.credit.shortPage));
    // The photograph is asked for again by its title: one question, with
    // the title whole.
    const ApiParameters again =
        titlesParameters({candidate.title}, photoFetchWidth(candidate.size));
    check(!again.empty());
}

void checkFiles(const AnswerFiles& files) {
    for (const CommonsCandidate& candidate : files.candidates) {
        checkCandidate(candidate);
    }
    for (const QString& title : files.refusedTitles) {
        check(isPlain(title, quotedNameBounds.characters));
    }
    for (const QString& title : files.missingTitles) {
        check(isPlain(title, 255));
    }
    // A continuation is a handful of short members, sent back whole.
    check(files.continuation.size() <= 10);
    const ApiParameters first = searchFilesParameters(QStringLiteral("Jersey cattle"));
    const ApiParameters next = continued(first, files.continuation);
    check(next.size() <= first.size() + 10);
    check(!WikimediaClient::apiUrl(QUrl(QStringLiteral("https://commons.wikimedia.org/w/api.php")),
                                   next)
               .isEmpty());
}

void checkHeaders(const QByteArray& bytes) {
    const QByteArray header = bytes.left(100);
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
    if (const auto wait = retryAfter(header, now)) {
        check(wait->count() >= 0 && *wait <= retryAfterCeiling);
    }
    if (const auto length = contentLength(header)) {
        check(*length >= 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const NetworkLimits limits;
    if (const std::optional<AnswerFiles> files = filesOfAnswerBytes(bytes, limits.apiBytes)) {
        checkFiles(*files);
    }
    if (const auto answer = boundedJsonObject(bytes, limits.apiBytes)) {
        if (const std::optional<QString> category = commonsCategory(*answer)) {
            check(isPlain(*category, 255) && !category->isEmpty());
            check(!categoryFilesParameters(*category).empty());
        }
    }
    checkHeaders(bytes);
    return 0;
}
