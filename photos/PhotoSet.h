// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoImport.h"

#include <QString>
#include <filesystem>
#include <optional>

namespace tarvelo {

// A teacher's own picture set: a folder holding obr/0/0.jpg .. obr/0/18.jpg,
// the layout the quiz plays. Every change leaves it complete: a picture is a
// chosen photograph or the bundled drawing, never missing.
class PhotoSet {
public:
    // root holds obr/0; drawingsDir holds the bundled 0.jpg .. 18.jpg.
    PhotoSet(QString root, QString drawingsDir);

    // The same from the folders where picture sets live (PictureSets.h).
    static PhotoSet inFolders(const std::filesystem::path& root,
                              const std::filesystem::path& drawingsDir);

    const QString& root() const { return root_; }
    const QString& drawingsDir() const { return drawingsDir_; }

    // Creates obr/0 and copies in the drawing for every picture that is
    // missing. False with a Czech message when that fails.
    bool ensureComplete(QString* message = nullptr);

    // Absolute path of picture index (0 .. 18) in the set.
    QString picturePath(int index) const;
    // The bundled drawing of picture index.
    QString drawingPath(int index) const;

    // Imports photo as picture index at once; on failure the set is unchanged.
    ImportResult choose(int index, const QString& photo);

    // Puts the bundled drawing back as picture index.
    bool restoreDrawing(int index, QString* message = nullptr);

    // True when picture index holds the same bytes as its bundled drawing.
    bool isDrawing(int index) const;

    // Why the quiz would fail on picture index (Czech), loaded and decoded by
    // the quiz's own picture code; nothing when it would show it.
    std::optional<QString> problem(int index) const;

private:
    QString root_;
    QString drawingsDir_;
};

} // namespace tarvelo
