// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCredit.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>
#include <vector>

namespace tarvelo {

// A free photograph on Wikimedia Commons that may go into a set.
struct CommonsCandidate {
    QString title;      // "File:…" as Commons writes it
    QString mime;       // "image/jpeg" or "image/png"
    QSize size;         // of the original
    QUrl gridThumbnail; // the API's thumburl at width 330
    PhotoCredit credit; // author, licence, licenceUrl, page, shortPage, title
};

struct CandidateList {
    // Free ones only, in the order found.
    std::vector<CommonsCandidate> candidates;
    // Files left out for their licence or type.
    int refused = 0;
    // Czech, when the search failed (offline, server error…); what was found
    // before stays in candidates.
    std::optional<QString> problem;
    // The titles left out, as Commons writes them (plain text).
    QStringList refusedTitles;
    // Titles asked for by name that Commons does not have.
    QStringList missingTitles;
    // Czech, when Commons has more than was fetched (CommonsQueries'
    // filesAtMost, answersAtMost); the list is still good.
    std::optional<QString> notice;
};

struct CommonsAddResult {
    int added = 0;
    bool cancelled = false;
    // Czech, one per photograph not added.
    QStringList problems;
};

} // namespace tarvelo
