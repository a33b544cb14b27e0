// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FreeLicence.h"

#include <QRegularExpression>
#include <QStringList>

namespace tarvelo {

namespace {

// Commons writes License in lower case from the licence template's short
// name; any case is taken, and surrounding spaces. A licence is free only
// when the whole field is one of:
//
//   licence      = "cc0" | "pd" | "cc-pd" | by-licence
//   by-licence   = "cc-by" ["-sa"] "-" versions ["-" jurisdiction] ["-migrated"]
//   versions     = version *("," version)           ; several, as Commons
//                                                   ; writes dual-versioned ones
//   version      = "1.0" | "2.0" | "2.1" | "2.5" | "3.0" | "4.0"
//   jurisdiction = two letters, but not "nc", "nd", "sa" or "by"
//                | "igo" | "scotland"
//
// e.g. cc0, pd, cc-by-2.0, cc-by-sa-4.0, cc-by-sa-3.0-de, cc-by-2.5-pl,
// cc-by-3.0-igo, cc-by-sa-3.0-migrated, cc-by-sa-2.5,2.0,1.0. Never free:
// cc-by-nc-2.0, cc-by-4.0-nc-nd, cc-by-nd-4.0, cc-by-sa, gfdl, cc0 or gfdl.
const QRegularExpression& grammar() {
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(?<plain>cc0|pd|cc-pd)|"
                       "cc-by(?<sa>-sa)?-(?<versions>(?:1\\.0|2\\.0|2\\.1|2\\.5|3\\.0|4\\.0)"
                       "(?:,(?:1\\.0|2\\.0|2\\.1|2\\.5|3\\.0|4\\.0)){0,5})"
                       "(?:-(?<port>(?!nc$|nd$|sa$|by$)[a-z]{2}|igo|scotland))?"
                       "(?:-migrated)?)$"));
    return pattern;
}

} // namespace

std::optional<QString> freeLicenceName(const QString& license) {
    // Any real licence name is a few dozen characters.
    if (license.size() > 100) {
        return std::nullopt;
    }
    const QRegularExpressionMatch match = grammar().match(license.trimmed().toLower());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QString plain = match.captured(u"plain");
    if (plain == QLatin1String("cc0")) {
        return QStringLiteral("CC0");
    }
    if (!plain.isEmpty()) {
        return QStringLiteral("Public domain");
    }
    QString name =
        match.captured(u"sa").isEmpty() ? QStringLiteral("CC BY ") : QStringLiteral("CC BY-SA ");
    name += match.captured(u"versions").split(QLatin1Char(',')).join(QStringLiteral(", "));
    if (const QString port = match.captured(u"port"); !port.isEmpty()) {
        // "DE", "IGO", "Scotland", as Creative Commons names its ports.
        name += QLatin1Char(' ') +
                (port.size() <= 3 ? port.toUpper() : port.left(1).toUpper() + port.mid(1));
    }
    return name;
}

bool isFreeLicence(const QString& license) {
    return freeLicenceName(license).has_value();
}

} // namespace tarvelo
