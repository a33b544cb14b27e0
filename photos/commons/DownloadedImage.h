// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace tarvelo {

// What a downloaded file is, by its first bytes, never by what the server
// says it is.
enum class DownloadedKind { Jpeg, Png, Other };
DownloadedKind downloadedKind(const QByteArray& bytes);

// A grid thumbnail is a few hundred pixels a side; a file announcing more
// than this is not decoded.
inline constexpr int thumbnailMaxSide = 2000;

// The picture in a downloaded thumbnail (JPEG or PNG only, its size checked
// before it is decoded), or a Czech problem.
struct DecodedThumbnail {
    QImage image;
    std::optional<QString> problem;
};
DecodedThumbnail decodeThumbnail(const QByteArray& bytes);

} // namespace tarvelo
