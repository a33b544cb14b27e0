// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BreedPhotos.h"
#include "PhotoCredit.h"
#include "PhotoSet.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvelo {

// The credits of a set's photographs, kept in one small file in the set's
// obr folder, so that a take-over, which swaps obr whole, carries them. A
// credit is tied to its photograph's bytes (their SHA-256), not to its
// place: when photographs move up after a removal, their credits follow
// without a write, and a photograph that was replaced never shows the
// credit of the one before it. The file is outside data like any other:
// read with its size bounded, each text through ForeignText's bounds.

// The file, below the set's folder.
inline constexpr std::string_view setCreditsFile = "obr/tarvelo-credits.json";
static_assert(setCreditsFile.ends_with(setCreditsFileName));

struct CreditedPhoto {
    QString path; // absolute, as PhotoSet::photos gives it
    PhotoCredit credit;
};

// The credit of the photograph at `path` in `set`; nothing when it has none.
std::optional<PhotoCredit> creditOf(const PhotoSet& set, const QString& path);

// Every photograph of the set that has a credit, in breed order, then
// photograph order.
std::vector<CreditedPhoto> creditsOf(const PhotoSet& set);

// Gives the photograph at `path` its credit, replacing any it had, and lets
// go of credits whose photographs are no longer in the set. Written as every
// write to a set is (atomically, never through a link); a set holding a link,
// its credits file included, is refused (PhotoSet::linkRefusal). A Czech
// message when that fails, or when `path` is none of the set's photographs
// (a drawing, a file elsewhere); the photograph itself is never touched.
// Two photographs with the same bytes are one photograph with one credit.
std::optional<QString> recordCredit(const PhotoSet& set, const QString& path,
                                    const PhotoCredit& credit);

// recordCredit for several photographs at once, in one write: each is given
// its credit, the others keep theirs.
std::optional<QString> recordCredits(const PhotoSet& set,
                                     const std::vector<CreditedPhoto>& credits);

// Every credit the set's file holds, by the SHA-256 of its photograph's
// bytes, for a reader that has the bytes in hand (an export).
std::map<QByteArray, PhotoCredit> creditsByHash(const PhotoSet& set);

// The SHA-256 a credit is tied to, of a photograph's bytes in hand.
QByteArray photographHash(const QByteArray& bytes);

struct HashedCredit {
    QByteArray sha256; // photographHash of the stored bytes
    PhotoCredit credit;
};

// Credits of photographs just written, tied to the bytes the writer had in
// hand, so nothing is read back: each is given its credit, the other
// credits are kept. Credits of photographs no longer in the set are let go
// only once the file holds more than a set can (then every photograph is
// read), which keeps adding cheap and the file small. Refused as
// recordCredit is.
std::optional<QString> addCredits(const PhotoSet& set, const std::vector<HashedCredit>& credits);

// Takes the credit of the photograph at `path` away.
std::optional<QString> forgetCredit(const PhotoSet& set, const QString& path);

} // namespace tarvelo
