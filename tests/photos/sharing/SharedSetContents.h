// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedCatalogue.h"
#include "SetArchive.h"
#include "SharedSet.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <array>
#include <optional>
#include <vector>

namespace tarvelo::fixtures {

// What a shared set's file holds, as a test looks at it: the name and note it
// opens with, and each breed's photographs as the archive carries them.
struct SharedSetContents {
    SharedSetInfo info;
    std::array<std::vector<QByteArray>, breedCount> photos;
};
struct SharedSetRead {
    std::optional<SharedSetContents> set;
    QString message;
};

// Opens file as the editor does (unpacked into a folder that then goes) and,
// when it opens, reads its photographs' entries as they are.
inline SharedSetRead readSharedSet(const QString& file) {
    SharedSetRead read;
    QTemporaryDir folder;
    PhotoSet unpacked(folder.path(), QStringLiteral(TARVELO_SOURCE_DRAWINGS));
    const UnpackedSharedSet opened = unpackSharedSet(file, unpacked);
    if (!opened.info) {
        read.message = opened.message;
        return read;
    }
    SharedSetContents contents{*opened.info, {}};
    SetArchiveReader archive(file, [](const QString&) { return true; });
    static const QRegularExpression photo(
        QRegularExpression::anchoredPattern(QStringLiteral(R"(obr/([0-9])/([0-9]+)\.jpg)")));
    std::array<std::array<std::optional<QByteArray>, 10>, breedCount> byPlace;
    for (std::size_t i = 0; i < archive.files().size(); ++i) {
        const auto match = photo.match(archive.files()[i].name);
        if (match.hasMatch()) {
            byPlace.at(match.captured(2).toUInt()).at(match.captured(1).toUInt()) = archive.read(i);
        }
    }
    for (std::size_t index = 0; index < byPlace.size(); ++index) {
        for (const auto& bytes : byPlace[index]) {
            if (bytes) {
                contents.photos[index].push_back(*bytes);
            }
        }
    }
    read.set = std::move(contents);
    return read;
}

} // namespace tarvelo::fixtures
