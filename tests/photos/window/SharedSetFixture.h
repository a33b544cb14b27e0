// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A colleague's set shared in one file, for the tests of opening one and
// taking it over.
#pragma once

#include "BreedCatalogue.h"
#include "CreditFixture.h"
#include "SharedSet.h"
#include "SharedSetWindow.h"

#include <QFile>
#include <QSignalSpy>

namespace tarvelo::testing {

// A set as a colleague shares it: two photographs of Hereford (4), the
// second with its author named, one of breed 9, in NAME.tarvelo.
class SharedSetFixture : public WindowFixture {
protected:
    QString shareColleaguesSet() {
        PhotoSet colleague(path("kolega"), path("kresby"));
        EXPECT_TRUE(colleague.ensureComplete());
        EXPECT_TRUE(colleague.addPhoto(4, writePhoto("h1.jpg", 1600, 1200)).ok);
        EXPECT_TRUE(colleague.addPhoto(4, writePhoto("h2.jpg", 900, 1200)).ok);
        EXPECT_TRUE(colleague.addPhoto(9, writePhoto("x.jpg", 1200, 900)).ok);
        EXPECT_FALSE(recordCredit(colleague, colleague.photoPath(4, 1), ownCredit));
        const QString file = path("od kolegy.tarvelo");
        EXPECT_FALSE(saveSharedSet(colleague,
                                   {.name = QStringLiteral("Plemena ze statku"),
                                    .note = QStringLiteral("Foto: J. Nováková, CC BY")},
                                   file));
        return file;
    }
    // Opens file as "Otevřít sadu ze souboru…" does and waits for its
    // unpacking to end: the set's window, or null when refused or cancelled.
    SharedSetWindow* openShared(const QString& file) {
        QSignalSpy ended(window.get(), &PhotosWindow::sharedSetOpened);
        window->openSharedSet(file);
        if (ended.isEmpty() && !ended.wait(30000)) {
            ADD_FAILURE() << "opening " << file.toStdString() << " never ended";
            return nullptr;
        }
        return ended.front().front().value<SharedSetWindow*>();
    }
    QString colleagues(int photo, int index) const {
        return path("kolega/obr/" + std::to_string(photo) + "/" + std::to_string(index) + ".jpg");
    }
    bool ownSetUntouched() const {
        for (int i = 0; i < breedCount; ++i) {
            if (contents(setFile(0, i)) != contents(drawing(i)) || QFile::exists(setFile(1, i))) {
                return false;
            }
        }
        return true;
    }
};

} // namespace tarvelo::testing
