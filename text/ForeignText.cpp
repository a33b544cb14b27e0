// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ForeignText.h"

#include <algorithm>

namespace tarvelo {

namespace {

const QChar ellipsis(0x2026);

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

bool isDirectionControl(char16_t c) {
    return (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || c == 0x200e ||
           c == 0x200f || c == 0x061c;
}

bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

// The first `length` units of text, one fewer where that would split a
// surrogate pair, without the spaces before the cut, and the ellipsis.
QString cut(const QString& text, qsizetype length) {
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate()) {
        --length;
    }
    QString kept = text.left(length);
    while (!kept.isEmpty() && kept.back().isSpace()) {
        kept.chop(1);
    }
    return kept + ellipsis;
}

} // namespace

QString plainText(const QString& text, TextBounds bounds) {
    QString out;
    out.reserve(std::min(text.size(), bounds.characters + 1));
    int lines = 1;
    bool cutShort = false;
    for (qsizetype i = 0; i < text.size() && out.size() <= bounds.characters; ++i) {
        const char16_t c = text.at(i).unicode();
        if (isLineBreak(c)) {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i; // CR LF is one break
            }
            if (bounds.lines <= 1) {
                out += QLatin1Char(' ');
            } else if (lines == bounds.lines) {
                cutShort = true;
                break;
            } else {
                out += QLatin1Char('\n');
                ++lines;
            }
        } else if (c == u'\t') {
            out += QLatin1Char(' ');
        } else if (isControl(c) || isDirectionControl(c)) {
            continue;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text.at(i + 1).isLowSurrogate()) {
            out += text.at(i);
            out += text.at(++i);
        } else if (QChar::isSurrogate(c)) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += text.at(i);
        }
    }
    if (out.size() > bounds.characters) {
        return cut(out, bounds.characters - 1);
    }
    if (cutShort) {
        return cut(out, std::min(out.size(), bounds.characters - 1));
    }
    return out;
}

QString shownSetName(const QString& name) {
    return plainText(name, setNameBounds).trimmed();
}

QString shownSetNote(const QString& note) {
    return plainText(note, setNoteBounds).trimmed();
}

QString quotedName(const QString& name) {
    return plainText(name, quotedNameBounds);
}

QString terminalText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\n' || c == u'\t' || (!isControl(c) && !isDirectionControl(c))) {
            out += ch;
        } else if (c < 0x80) {
            out += QStringLiteral("\\x%1").arg(static_cast<int>(c), 2, 16, QLatin1Char('0'));
        } else {
            out += QStringLiteral("\\u%1").arg(static_cast<int>(c), 4, 16, QLatin1Char('0'));
        }
    }
    return out;
}

} // namespace tarvelo
