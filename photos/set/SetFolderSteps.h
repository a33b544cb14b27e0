// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SetFolderFiles.h"

#include <QString>
#include <string>

namespace tarvelo::setfolder {

// The steps every change of a set's folder is made of, each worded in Czech
// when it fails (into *message, when given). Paths below the set's folder
// use "/" on every system, as the set-folder writes take them.

bool validIndex(int index);
// "Obrázek číslo N v sadě není (jen 0 až 18)."
QString noSuchPicture(int index);
void setMessage(QString* message, const QString& text);
QString breedName(int index);

// Photograph `photo` of breed index, and the folder of its number.
std::string fileBelow(int index, int photo);
std::string folderBelow(int photo);
// A path below the set's folder as the teacher is shown it.
QString shown(const SetFolder& set, const std::string& below);

// The drawing's bytes as the file below the set's folder, all or nothing.
bool copyAtomically(const QString& from, const SetFolder& set, const std::string& target,
                    QString* message);
bool makeFolder(const SetFolder& set, const std::string& folder, QString* message);
// One photograph over another's place, in one step.
bool moveOver(const SetFolder& set, int index, int from, int to, QString* message);

} // namespace tarvelo::setfolder
