// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomicFile.h"
#include "PhotoCredit.h"
#include "PhotoImport.h"
#include "PictureSets.h"
#include "SetFolderFiles.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// A teacher's own picture set: a folder holding obr/0/0.jpg .. obr/0/18.jpg,
// the layout the quiz plays, and up to nine more photographs of each breed
// in obr/1 .. obr/9. Every change leaves it complete: obr/0 holds a breed's
// first photograph, or its bundled drawing when it has none, never nothing.
// Nothing is written below root through a link: a set whose obr, obr/K or a
// photograph in them is a symbolic link or junction is refused whole, and
// each write walks from root without following one (SetFolderFiles.h).
class PhotoSet {
public:
    // root holds obr/0; drawingsDir holds the bundled 0.jpg .. 18.jpg. With
    // NewEntries::ReadableByAll it is the class set: its folder gets the
    // rights the installers give it (prepareClassSetFolder) and every folder
    // and photograph made in it is readable by all, whatever the umask.
    PhotoSet(QString root, QString drawingsDir, NewEntries newEntries = NewEntries::ByUmask);

    // The same from the folders where picture sets live (PictureSets.h).
    static PhotoSet inFolders(const std::filesystem::path& root,
                              const std::filesystem::path& drawingsDir,
                              NewEntries newEntries = NewEntries::ByUmask);
    // The set tarvelo-photos edits, a class set as such.
    static PhotoSet forEdited(const EditedSet& edited);

    const QString& root() const { return root_; }
    const QString& drawingsDir() const { return drawingsDir_; }
    // Where writes below root go, and how what they make may be read.
    SetFolder folder() const;

    // The first of obr, its credits file, obr/0 .. obr/9 and the photographs
    // in them that is a symbolic link, junction or other reparse point, as
    // "obr/5" or "obr/5/3.jpg"; nothing when none is. Nothing is to be written to such a
    // set, nor read from it to go elsewhere (an export).
    std::optional<QString> linkInSet() const;
    // The Czech sentence refusing a change to a set with that link.
    std::optional<QString> linkRefusal() const;

    // Creates obr/0 and copies in the drawing for every picture that is
    // missing. False with a Czech message when that fails, and when the set
    // holds a link (linkRefusal), which changes nothing.
    bool ensureComplete(QString* message = nullptr);

    // Absolute path of picture index (0 .. 18) in the set.
    QString picturePath(int index) const;
    // The bundled drawing of picture index.
    QString drawingPath(int index) const;

    // Absolute path of photograph `photo` (0 .. 9) of breed index, there or not.
    QString photoPath(int index, int photo) const;
    // Absolute path of a path relative to the set's folder, as the quiz
    // names its pictures (obr/K/N.jpg): the one rule the paths above follow.
    QString pathOf(const std::string& relative) const;

    // The breed's photographs in order, as paths; obr/0 is not among them
    // while it holds the drawing. A set made by hand may have gaps, which are
    // simply skipped.
    QStringList photos(int index) const;
    int photoCount(int index) const { return static_cast<int>(photos(index).size()); }

    // Imports the file `photo` as picture index at once, replacing the
    // breed's first photograph; on failure the set is unchanged.
    ImportResult choose(int index, const QString& photo);

    // Imports the photograph in `bytes` (`shownName` names it in messages)
    // as the breed's next photograph: over the drawing when obr/0 holds it,
    // else in the first free obr/K after the last one. With a credit, the
    // photograph and its credit are written together, the credit tied to
    // the stored bytes in hand (SetCredits.h); a photograph whose credit
    // cannot be written stays, and creditProblem says why. A breed that has
    // maxPhotosPerBreed already is refused and nothing changes.
    ImportResult addPhoto(int index, const QByteArray& bytes, const QString& shownName,
                          const std::optional<PhotoCredit>& credit = std::nullopt);
    // The same for the file `photo`, from the file dialog or a drop; a full
    // breed is refused before the file is read.
    ImportResult addPhoto(int index, const QString& photo);

    // Called after each step of a removal; false stops it there, as a power
    // cut would. Lets a test see what every step leaves.
    using StepCheck = std::function<bool()>;

    // Removes the breed's photograph `number` (1 is the first); the later
    // ones move up, one replacing rename at a time, so that a removal cut
    // short leaves every photograph whole and at worst a gap. Removing the
    // last one brings the drawing back. False with a Czech message when
    // there is no such photograph, the set holds a link (linkRefusal) or a
    // step fails.
    bool removePhoto(int index, int number, QString* message = nullptr, const StepCheck& goOn = {});

    // Puts the bundled drawing back as picture index.
    bool restoreDrawing(int index, QString* message = nullptr);

    // True when picture index holds the same bytes as its bundled drawing.
    bool isDrawing(int index) const;

    // Why the quiz would fail on picture index (Czech), loaded and decoded by
    // the quiz's own picture code; nothing when it would show it.
    std::optional<QString> problem(int index) const;
    // The same for any photograph of the set, by its path.
    std::optional<QString> problemOf(const QString& path) const;

private:
    // Why nothing can go into breed index now (Czech): no such breed, or the
    // set cannot be made complete. Nothing when it is ready.
    std::optional<QString> notReadyFor(int index);
    // Which of obr/0 .. obr/9 hold the breed's photographs, in order.
    std::vector<int> photoPlaces(int index) const;
    // Where the breed's next photograph goes, made ready; nothing with the
    // reason in result when it cannot go in.
    std::optional<int> nextPlace(int index, const QString& shownName, ImportResult& result);
    // The imported photograph written as obr/place/index.jpg.
    ImportResult store(int index, int place, const ImportedPhoto& imported);

    QString root_;
    QString drawingsDir_;
    NewEntries newEntries_;
};

} // namespace tarvelo
