// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileTitle.h"

#include <QRegularExpression>

namespace tarvelo {

namespace {

bool forbidden(char16_t c) {
    switch (c) {
    case u'#':
    case u'<':
    case u'>':
    case u'[':
    case u']':
    case u'|':
    case u'{':
    case u'}':
    case u'\uFFFD':
    // The direction marks MediaWiki removes from every title it is given.
    case u'\u200E':
    case u'\u200F':
    case u'\u202A':
    case u'\u202B':
    case u'\u202C':
    case u'\u202D':
    case u'\u202E':
    // Nor may a title hold what would be shown otherwise than it is
    // (isolates, the Arabic letter mark, line and paragraph separators).
    case u'\u2066':
    case u'\u2067':
    case u'\u2068':
    case u'\u2069':
    case u'\u061C':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        // C0, DEL and C1.
        return c < 0x20 || (c >= 0x7F && c <= 0x9F);
    }
}

} // namespace

bool isFileTitle(const QString& title) {
    // A name of 255 bytes is at most 255 UTF-16 units; a longer text is
    // refused before any work on it.
    const QStringView prefix = u"File:";
    const QStringView name =
        QStringView(title).startsWith(prefix) ? QStringView(title).mid(prefix.size()) : title;
    // MediaWiki trims every title it stores.
    if (name.trimmed().isEmpty() || name.trimmed().size() != name.size() ||
        name.size() > fileTitleBytes || !name.isValidUtf16()) {
        return false;
    }
    for (const QChar c : name) {
        if (forbidden(c.unicode())) {
            return false;
        }
    }
    static const QRegularExpression escape(QStringLiteral("%[0-9A-Fa-f]{2}"));
    return !name.contains(escape) && name.toUtf8().size() <= fileTitleBytes;
}

} // namespace tarvelo
