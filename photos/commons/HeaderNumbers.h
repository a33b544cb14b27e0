// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>
#include <chrono>
#include <optional>

namespace tarvelo {

// Numbers in a server's headers, read within bounds before any arithmetic
// is done with them: a server may send any digits at all.

// The longest wait a Retry-After is read as; anything longer (a year, or
// more digits than fit in a number) is this, which is longer than any
// client waits, so that it gives up at once.
inline constexpr std::chrono::milliseconds retryAfterCeiling = std::chrono::hours(24);

// Retry-After: delta-seconds or an HTTP date ("Wed, 21 Oct 2026 07:28:00
// GMT"), as the wait from now, never negative and at most
// retryAfterCeiling; nothing when absent or unreadable.
std::optional<std::chrono::milliseconds> retryAfter(const QByteArray& header, const QDateTime& now);

// Content-Length: the bytes announced, at most std::numeric_limits<qint64>::max()
// however many digits came; nothing when absent or unreadable.
std::optional<qint64> contentLength(const QByteArray& header);

} // namespace tarvelo
