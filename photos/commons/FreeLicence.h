// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace tarvelo {

// Whether Commons' machine-readable licence (extmetadata's License, such
// as "cc-by-sa-4.0") lets a school use and share the photograph with its
// author named: public domain, CC0, CC BY and CC BY-SA of a real version,
// port or migration. GFDL alone, non-commercial and no-derivatives licences
// do not, nor does anything the grammar in FreeLicence.cpp does not know.
bool isFreeLicence(const QString& license);

// The name a free licence is shown under, made from the licence itself
// ("CC BY-SA 4.0", "CC BY 3.0 DE", "CC0", "Public domain"); nothing when it
// is not free. Never the server's own LicenseShortName, which may say
// anything.
std::optional<QString> freeLicenceName(const QString& license);

} // namespace tarvelo
