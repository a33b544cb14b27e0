// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExternalLink.h"
#include "ForeignText.h"
#include "PhotoCredit.h"

#include <QString>
#include <QUrl>
#include <optional>

namespace tarvelo {

// How a photograph's credit is shown in the editor. Its texts came from
// outside (Commons, a shared set), so each is cut to its bounds and put on
// one line, and rich text is built only from escaped texts and links that
// are plainly web pages.

// Under the preview the line is as wide as the picture: a long author must
// leave room for the licence and the link after it.
inline constexpr TextBounds lineAuthorBounds{.characters = 60, .lines = 1};
inline constexpr TextBounds lineLicenceBounds{.characters = 30, .lines = 1};
// In the list of the set's sources each has a column of its own.
inline constexpr TextBounds listAuthorBounds{.characters = 200, .lines = 1};
inline constexpr TextBounds listLicenceBounds{.characters = 60, .lines = 1};

// address as a link to open in the browser: only one externalLink keeps
// (ExternalLink.h); nothing otherwise (javascript:, file:, an address with
// user information or a port, one that runs on).
std::optional<QUrl> webLink(const QString& address);

// "<a href="…">text</a>" for a link from webLink, text escaped; in colour
// (#rrggbb) where the default blue would not be read.
QString linkHtml(const QUrl& link, const QString& text, const QString& colour = {});

// The line under the preview, as rich text: "Foto: AUTHOR · LICENCE ·
// Wikimedia Commons", the last a link to the photograph's page (named by its
// host when that is not Commons), the licence one to its terms on Creative
// Commons' site (terms elsewhere follow it as a link named by their host);
// without the last part for a teacher's own photograph. Its links are
// light, for the preview's black.
QString creditLineHtml(const PhotoCredit& credit);
// The same words as plain text, for a screen reader.
QString creditLineText(const PhotoCredit& credit);

} // namespace tarvelo
