// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <optional>

namespace tarvelo {

// JSON from outside (MediaWiki's answers, a set's credits) is checked for
// size and depth before Qt's parser, whose own limit is far deeper, sees it.
// MediaWiki's answers nest eight or nine deep; a few dozen levels are room
// to spare, and far from what would exhaust QJsonDocument's stack.
inline constexpr int jsonMaxDepth = 48;

// The JSON object in bytes, or nothing when it is larger than maxBytes,
// nests deeper than maxDepth, is no JSON or no object. Size and depth are
// checked before the parser sees the bytes.
std::optional<QJsonObject> boundedJsonObject(const QByteArray& bytes, qint64 maxBytes,
                                             int maxDepth = jsonMaxDepth);

// How deep the arrays and objects in bytes nest (strings skipped), or
// nothing once it passes maxDepth.
std::optional<int> jsonDepth(const QByteArray& bytes, int maxDepth);

} // namespace tarvelo
