// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tarvelo {

// tarvelo-photos --paper-test OUT.pdf [--beginner] [DIR | --class-set]:
// writes a written test of the set (PaperQuizPdf.h) without a window, for
// the set --import would change; the set is only read, and a breed it has
// no picture of is printed with its drawing. Prints the file, level and pages
// on standard output, what went wrong or misuse on standard error; returns the
// exit status: 0 written, 1 not written (nothing is left at OUT), 2 misuse.
// classSet: --class-set was given (and taken out of the arguments). Needs a
// QGuiApplication for the fonts.
int runPaperTestCommand(const QStringList& arguments, const QString& programFolder, bool classSet);

} // namespace tarvelo
