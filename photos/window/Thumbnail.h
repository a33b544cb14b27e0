// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace tarvelo {

class PhotoSet;

// One picture of a row as the set holds it: its thumbnail (null when the
// quiz could not show it) and why the quiz would fail on it.
struct RowPicture {
    QImage thumbnail;
    std::optional<QString> problem;
};

// The picture at path, loaded as the quiz loads it, decoded upright at the
// smallest of libjpeg's scales n/8 that still covers its fit in `box`,
// scaled smoothly to fit `box` and centred on black. A null image when it
// cannot be decoded.
QImage thumbnailOf(const QString& path, QSize box);

// Picture path of set as its row shows it: the thumbnail, in device pixels
// of box, and, for one that cannot be decoded, the set's own reason why the
// quiz would fail on it. Throws nothing, so it may run on any thread.
RowPicture rowPictureOf(const PhotoSet& set, const QString& path, QSize box);

} // namespace tarvelo
