// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoundedJson.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace tarvelo {

std::optional<int> jsonDepth(const QByteArray& bytes, int maxDepth) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : bytes) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxDepth) {
                return std::nullopt;
            }
            deepest = std::max(deepest, depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

std::optional<QJsonObject> boundedJsonObject(const QByteArray& bytes, qint64 maxBytes,
                                             int maxDepth) {
    if (bytes.size() > maxBytes || !jsonDepth(bytes, maxDepth)) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

} // namespace tarvelo
