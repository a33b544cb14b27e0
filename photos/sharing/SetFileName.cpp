// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetFileName.h"

#include "ForeignText.h"

#include <QRegularExpression>

namespace tarvelo {

namespace {

constexpr qsizetype stemBytes = 200;

bool isDots(QChar c) {
    return c == QLatin1Char('.') || c.isSpace();
}

// Drops dots and spaces from both ends.
QString trimDots(QString stem) {
    qsizetype start = 0;
    while (start < stem.size() && isDots(stem.at(start))) {
        ++start;
    }
    qsizetype end = stem.size();
    while (end > start && isDots(stem.at(end - 1))) {
        --end;
    }
    return stem.mid(start, end - start);
}

// Whole code points while their UTF-8 fits `bytes`, then "…".
QString withinBytes(const QString& stem, qsizetype bytes) {
    if (stem.toUtf8().size() <= bytes) {
        return stem;
    }
    const QString ellipsis(QChar(0x2026));
    const qsizetype room = bytes - ellipsis.toUtf8().size();
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < stem.size()) {
        const qsizetype units = stem.at(end).isHighSurrogate() ? 2 : 1;
        const qsizetype size = stem.mid(end, units).toUtf8().size();
        if (used + size > room) {
            break;
        }
        used += size;
        end += units;
    }
    return stem.left(end).trimmed() + ellipsis;
}

} // namespace

QString setFileStem(const QString& setName) {
    static const QRegularExpression refused(QStringLiteral("[<>:\"/\\\\|?*]"));
    // The part before the first dot, spaces before that dot included, which
    // Windows takes for a device whatever follows.
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9\u00b9\u00b2\u00b3]|LPT[0-9\u00b9\u00b2\u00b3]|"
                       "CONIN\\$|CONOUT\\$)(?= *(\\.|$))"),
        QRegularExpression::CaseInsensitiveOption);
    QString stem = plainText(setName, setNameBounds);
    stem.replace(refused, QStringLiteral("-"));
    stem = trimDots(withinBytes(trimDots(stem), stemBytes));
    const QRegularExpressionMatch match = device.match(stem);
    if (match.hasMatch()) {
        stem.insert(match.capturedEnd(1), QLatin1Char('_'));
    }
    return stem.isEmpty() ? QStringLiteral("sada") : stem;
}

} // namespace tarvelo
