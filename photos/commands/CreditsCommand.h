// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tarvelo {

// tarvelo-photos --credits [DIR | --class-set]: one line per photograph of
// the set that has a credit, in breed then photograph order, its fields
// separated by tabs: its path in the set (obr/K/N.jpg), author, licence,
// Commons page (empty for a teacher's own photograph). Nothing is printed for
// a set without credits. Exit status: 0 done, 1 no set to read (a Czech
// message on standard error), 2 misuse.
int runCreditsCommand(const QStringList& arguments, const QString& programFolder, bool classSet);

} // namespace tarvelo
