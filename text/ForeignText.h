// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// Text that came from outside the program (a shared set's name and note, a
// file's or an archive entry's name) as it may be shown: in a window, where
// widgets show it as plain text, or on a terminal.

// How much of such a text is shown: at most `characters` (UTF-16 units, an
// ellipsis included) on at most `lines` lines; 1 makes line breaks spaces.
struct TextBounds {
    qsizetype characters;
    int lines;
};

// A set's name goes into window titles, a heading and a sentence of a
// question: a hundred characters are two lines of the window, more than any
// teacher's name for a set.
inline constexpr TextBounds setNameBounds{.characters = 100, .lines = 1};
// A note says where the photographs come from and under what licence: a
// few sentences. A longer one would push the photographs out of the window.
inline constexpr TextBounds setNoteBounds{.characters = 1000, .lines = 15};
// A file's or an archive entry's name quoted in a message: room for a deep
// path, yet a message that fits its box.
inline constexpr TextBounds quotedNameBounds{.characters = 200, .lines = 1};
// A message box's whole text (a list of refused files may be long): a box
// taller than a school laptop's 768-pixel screen hides its own buttons.
inline constexpr TextBounds messageBounds{.characters = 2000, .lines = 25};

// `text` without control characters (C0, DEL, C1), with tabs as spaces and
// line breaks (LF, CR LF, CR, U+2028, U+2029) as LF or, on one line, spaces;
// without the characters that embed, override or isolate a direction or
// mark one (U+202A..U+202E, U+2066..U+2069, U+200E, U+200F, U+061C), which
// let a name disguise what follows it; a lone surrogate becomes U+FFFD.
// Cut to its bounds, it ends in "…". Applying it again changes nothing.
QString plainText(const QString& text, TextBounds bounds);

// A set's name and note as read from its file or shown, trimmed.
QString shownSetName(const QString& name);
QString shownSetNote(const QString& note);
// A file's or an archive entry's name (or path) quoted in a message.
QString quotedName(const QString& name);

// For a terminal: every control character but LF and tab, and every
// direction character above, written out visibly instead ("\x1b",
// "\u009b", "\u202e"), so that a name cannot move the cursor, recolour
// the terminal or reorder the line it stands in.
QString terminalText(const QString& text);

} // namespace tarvelo
