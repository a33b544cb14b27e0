// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tarvelo::endurance {

// Nineteen photographs as obr/0/<i>.jpg in a fresh directory that goes with
// the object. Each has a width of its own, so the picture on display tells
// which file was loaded.
class PhotoSet {
public:
    PhotoSet();

    QString directory() const { return dir_.path(); }

    static int widthOf(int index) { return 240 + 16 * index; }
    static int heightOf(int index) { return 300 - 6 * index; }

private:
    QTemporaryDir dir_;
};

} // namespace tarvelo::endurance
