// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExternalLink.h"
#include "ForeignText.h"
#include "PhotoCredit.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <optional>

namespace tarvelo {

// A credit as JSON, the same in a set's credits file and in a shared set's
// manifest: {"author", "licence", "licenceUrl", "page", "shortPage", "title"}.

// An author's name as a licence asks for it; Commons' longest are a few
// people and an institution.
inline constexpr TextBounds creditAuthorBounds{.characters = 200, .lines = 1};
// "CC BY-SA 4.0", "Public domain": a short name, never a licence's text.
inline constexpr TextBounds creditLicenceBounds{.characters = 60, .lines = 1};
// "File:…" on Commons, whose names may be long.
inline constexpr TextBounds creditTitleBounds{.characters = 250, .lines = 1};
// A link longer than this is no Commons page; it is dropped, never cut,
// as a cut link leads somewhere else.
inline constexpr qsizetype maxCreditUrlLength = maxExternalLinkLength;

QJsonObject creditToJson(const PhotoCredit& credit);

// The credit in `value`, each text through plainText's bounds and each link
// kept only as keptLink (ExternalLink.h) keeps it; nothing when `value` is not
// an object or names neither an author nor a licence.
std::optional<PhotoCredit> creditFromJson(const QJsonValue& value);

// The same bounds applied to a credit made here (a teacher's words, what
// Commons said), so that what is stored is what a reader would take.
std::optional<PhotoCredit> boundedCredit(const PhotoCredit& credit);

} // namespace tarvelo
