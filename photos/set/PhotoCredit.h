// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tarvelo {

// Who took a photograph and under what licence it may be used: what a free
// licence asks to be shown wherever the photograph is. Every text is plain
// text (never HTML) and came from outside, so it is shown through
// ForeignText's bounds, and each link is judged by ExternalLink where it is
// read and again where it is shown.
struct PhotoCredit {
    // The author as the licence asks them to be named ("Jan Novák").
    QString author;
    // The licence's short name ("CC BY-SA 4.0", "Public domain") and its
    // page; the link may be empty (public domain, a teacher's own words).
    QString licence;
    QString licenceUrl;
    // The photograph's page on Wikimedia Commons and its short form
    // (https://commons.wikimedia.org/w/index.php?curid=…); both empty for a
    // teacher's own photograph.
    QString page;
    QString shortPage;
    // "File:…" as Commons writes it; never printed on a paper test, as it
    // often names the breed.
    QString title;

    bool fromCommons() const { return !page.isEmpty(); }
    friend bool operator==(const PhotoCredit&, const PhotoCredit&) = default;
};

} // namespace tarvelo
