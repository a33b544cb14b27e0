// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeaderNumbers.h"

#include <QString>
#include <algorithm>
#include <limits>

namespace tarvelo {

namespace {

using std::chrono::milliseconds;

// 1*DIGIT, as HTTP writes these numbers: no sign, no spaces inside.
bool allDigits(const QByteArray& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Leading zeros do not count towards the digits a number has.
QByteArray significant(const QByteArray& digits) {
    qsizetype first = 0;
    while (first + 1 < digits.size() && digits.at(first) == '0') {
        ++first;
    }
    return digits.mid(first);
}

} // namespace

std::optional<milliseconds> retryAfter(const QByteArray& header, const QDateTime& now) {
    const QByteArray text = header.trimmed();
    if (text.isEmpty() || text.size() > 64) {
        return text.isEmpty() ? std::nullopt : std::optional(retryAfterCeiling);
    }
    constexpr qint64 ceilingSeconds =
        std::chrono::duration_cast<std::chrono::seconds>(retryAfterCeiling).count();
    if (allDigits(text)) {
        // Six digits are already more than a day; more are not multiplied.
        const QByteArray digits = significant(text);
        if (digits.size() > 6) {
            return retryAfterCeiling;
        }
        const qint64 seconds = std::min(digits.toLongLong(), ceilingSeconds);
        return milliseconds(seconds * 1000);
    }
    // An HTTP date ends in "GMT", which Qt's RFC 2822 reading does not take.
    QString date = QString::fromLatin1(text);
    if (date.endsWith(QLatin1String(" GMT"))) {
        date.replace(date.size() - 3, 3, QStringLiteral("+0000"));
    }
    const QDateTime when = QDateTime::fromString(date, Qt::RFC2822Date);
    if (!when.isValid() || !now.isValid()) {
        return std::nullopt;
    }
    // Years far away are no wait anyone keeps; the difference is taken only
    // between dates whose milliseconds fit with room to spare.
    const int year = when.date().year();
    if (year > now.date().year() + 1) {
        return retryAfterCeiling;
    }
    if (year < 1970) {
        return milliseconds(0);
    }
    const qint64 wait = now.msecsTo(when);
    return milliseconds(std::clamp<qint64>(wait, 0, retryAfterCeiling.count()));
}

std::optional<qint64> contentLength(const QByteArray& header) {
    const QByteArray text = header.trimmed();
    if (!allDigits(text)) {
        return std::nullopt;
    }
    const QByteArray digits = significant(text);
    // 18 digits always fit in a qint64; more are as good as endless.
    if (digits.size() > 18) {
        return std::numeric_limits<qint64>::max();
    }
    return digits.toLongLong();
}

} // namespace tarvelo
