// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tarvelo::endurance {

// Nineteen breeds' photographs as obr/<k>/<i>.jpg, k from 0 to perBreed - 1,
// in a fresh directory that goes with the object. Each breed has a width of
// its own and each of its photographs a height of its own, so the picture on
// display tells which file was loaded.
class TellingSet {
public:
    explicit TellingSet(int perBreed = 1);

    QString directory() const { return dir_.path(); }

    static int widthOf(int index) { return 240 + 16 * index; }
    static int heightOf(int index, int photo = 0) { return 300 - 11 * index - photo; }
    // Which photograph of breed index has this height; -1 when none.
    static int photoOf(int index, int height) {
        const int photo = heightOf(index) - height;
        return photo >= 0 && photo < 10 ? photo : -1;
    }

private:
    QTemporaryDir dir_;
};

} // namespace tarvelo::endurance
