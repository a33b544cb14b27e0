// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// The longest name MediaWiki stores for a page, in UTF-8 bytes, without its
// namespace ("File:").
inline constexpr qsizetype fileTitleBytes = 255;

// Whether title can be the title of a real page on Commons, as MediaWiki
// allows titles: a name after any "File:", at most fileTitleBytes long in
// UTF-8, without the characters no title may hold (# < > [ ] | { }),
// without spaces around it, control characters, U+FFFD or a lone
// surrogate, without direction marks, isolates and line separators (which
// would show it as another), and without a '%' followed
// by two hex digits (an escape MediaWiki refuses, so that a title and its
// URL cannot be told apart). An answer naming another title is no answer of
// Commons: its file is left out.
bool isFileTitle(const QString& title);

} // namespace tarvelo
