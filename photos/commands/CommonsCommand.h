// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

// Free photographs from Wikimedia Commons without the window, for scripts:
//   --commons INDEX                 prints the breed's candidates, one a line:
//                                   title, licence, author and page, split by
//                                   tabs;
//   --commons-add INDEX TITLE… [DIR] adds the files named ("File:…") to the
//                                   breed with their credits and prints the
//                                   stored photographs' paths; unfree ones
//                                   are refused and named.
// Returns the exit status: 0 done (every title added), 1 offline, refused or
// not all added (what was added stays), 2 misuse.
int runCommonsCommand(const QStringList& arguments, const QString& programFolder,
                      bool classSet = false);

} // namespace tarvelo
