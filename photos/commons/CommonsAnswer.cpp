// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonsAnswer.h"

#include "BoundedJson.h"
#include "CommonsLicence.h"
#include "CommonsQueries.h"

namespace tarvelo {

AnswerFiles filesOfAnswer(const QJsonObject& answer) {
    AnswerFiles files;
    for (const QJsonObject& page : answerPages(answer)) {
        auto judged = judgeFile(page);
        if (auto* candidate = std::get_if<CommonsCandidate>(&judged)) {
            files.candidates.push_back(std::move(*candidate));
        } else if (const auto* refused = std::get_if<RefusedFile>(&judged)) {
            files.refusedTitles << refused->title;
        }
    }
    files.missingTitles = missingTitles(answer);
    files.continuation = continuation(answer);
    return files;
}

std::optional<AnswerFiles> filesOfAnswerBytes(const QByteArray& bytes, qint64 maxBytes) {
    const std::optional<QJsonObject> answer = boundedJsonObject(bytes, maxBytes);
    if (!answer) {
        return std::nullopt;
    }
    return filesOfAnswer(*answer);
}

} // namespace tarvelo
