// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace tarvelo {

// A link that came from outside (a credit's page or licence in a set's
// credits file, a shared set's manifest or a Commons answer): judged when it
// is read and again where it is shown, printed or opened, so that what a
// teacher or a pupil reads of it is where it leads.

// Commons' longest page addresses are titles of a few hundred characters,
// percent-encoded; a longer link is dropped, never cut, as a cut link leads
// somewhere else.
inline constexpr qsizetype maxExternalLinkLength = 2000;

// `text` as a link to follow: https, a host of dot-separated names that
// reads as it parses (no user information, no port, no percent-encoding,
// IP address or brackets in it), and no whitespace, control, format
// character or backslash anywhere. Nothing otherwise.
std::optional<QUrl> externalLink(const QString& text);

// The link as it is kept in a credit: `text` trimmed, its scheme written
// "https://", when externalLink takes it; empty when it is refused.
QString keptLink(const QString& text);

// The link's host, in ASCII (an international name in its xn-- form, so
// that it cannot pass for another).
QString linkHost(const QUrl& link);

// Whether the page is on Commons: its host is exactly commons.wikimedia.org.
bool isCommonsPage(const QUrl& page);

// What a page is called where it is shown: "Wikimedia Commons" for a page
// whose host is exactly Commons', the host itself for any other.
QString pageName(const QUrl& page);

// What is printed of a page (the paper test, --credits): the whole link for
// a page on Commons, only its host for any other.
QString printedPage(const QUrl& page);

// Whether a licence's link may carry the licence's name: only the terms on
// Creative Commons' own site, where every free licence here is published.
bool isLicenceTerms(const QUrl& link);

} // namespace tarvelo
