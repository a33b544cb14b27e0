// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommonsCandidate.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>
#include <optional>
#include <vector>

namespace tarvelo {

// What one answer to a question about files (a category's members, a
// search, titles; prop=imageinfo) gives, every page judged by judgeFile, in
// the search's order. No network: the fuzzer takes answers this way too.
struct AnswerFiles {
    std::vector<CommonsCandidate> candidates;
    // Plain text, as shown; left out for their licence, type or title.
    QStringList refusedTitles;
    // Titles asked for by name that Commons does not have.
    QStringList missingTitles;
    // Where to go on (CommonsQueries' continuation); empty when complete.
    QJsonObject continuation;
};

AnswerFiles filesOfAnswer(const QJsonObject& answer);

// The answer's bytes as WikimediaClient takes them: within maxBytes and
// jsonMaxDepth, an object; nothing otherwise.
std::optional<AnswerFiles> filesOfAnswerBytes(const QByteArray& bytes, qint64 maxBytes);

} // namespace tarvelo
