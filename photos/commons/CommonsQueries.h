// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WikimediaClient.h"

#include <QJsonObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tarvelo {

struct BreedSource;

// The questions asked of Wikidata and Commons, and what is taken from their
// answers; every answer is outside data and read defensively.

// Commons gives the grid's thumbnails at this width.
inline constexpr int gridThumbnailWidth = 330;
// Files asked for in one answer, and followed through `continue` at most.
inline constexpr int filesPerAnswer = 50;
inline constexpr int filesAtMost = 100;
// Answers about files that one search or one breed (its category, then its
// search) may cost, whatever `continue` says: ten pages of fifty files are
// more than a teacher looks through, and a server that always says there is
// more is not followed for ever. What was found stays, and the list says
// that Commons has more (CandidateList::notice).
inline constexpr int answersAtMost = 10;
// Fewer usable files than this in a breed's category: its search words too.
inline constexpr int enoughCandidates = 5;
// Titles one imageinfo question may name (the API's own limit).
inline constexpr int titlesPerAnswer = 50;

// The breed's Wikidata item with its claims, from its Wikipedia article.
ApiParameters entityParameters(const BreedSource& source);
// The item's Commons category (P373) in a wbgetentities answer, without
// "Category:"; nothing when it names none.
std::optional<QString> commonsCategory(const QJsonObject& answer);

// The files in Category:name, with what the licence check needs.
ApiParameters categoryFilesParameters(const QString& category);
// The files (namespace 6) a search for words finds.
ApiParameters searchFilesParameters(const QString& words);
// The files named by titles, with thumbnails at thumbnailWidth.
ApiParameters titlesParameters(const QStringList& titles, int thumbnailWidth);

// The pages of an answer, in the search's order where it gives one.
std::vector<QJsonObject> answerPages(const QJsonObject& answer);
// The titles in an answer that name no file on Commons.
QStringList missingTitles(const QJsonObject& answer);

// Where the answer says to go on: its `continue` object, to be sent back
// whole; empty when it is complete.
QJsonObject continuation(const QJsonObject& answer);
// parameters with the continue object's members added (or replaced).
ApiParameters continued(const ApiParameters& parameters, const QJsonObject& continuation);

// The width to fetch a photograph at: its stored copy fits 1923 x 699, so
// min(1923, ceil(699 * width / height)) pixels; 960 when that is no more,
// else 1280.
int photoFetchWidth(QSize original);

} // namespace tarvelo
