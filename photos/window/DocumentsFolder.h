// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// Where a file dialog for a set or a test opens: the user's Documents, or
// home where a fresh account has no Documents folder yet.
QString documentsFolder();

} // namespace tarvelo
