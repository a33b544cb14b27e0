// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommonsCandidate.h"

#include <QJsonObject>
#include <QString>
#include <variant>

namespace tarvelo {

// Whether Commons' machine-readable licence (extmetadata's License, such
// as "cc-by-sa-4.0") lets a school use and share the photograph with its
// author named: public domain, CC0, CC BY and CC BY-SA of any version and
// port. GFDL alone, non-commercial and no-derivatives licences do not.
bool isFreeLicence(const QString& license);

// The text in a piece of Commons' HTML (an Artist field is often a link):
// tags dropped, entities decoded, whitespace collapsed, cut to `characters`.
QString plainFromHtml(const QString& html, qsizetype characters);

// Why one file of an imageinfo answer is left out.
struct RefusedFile {
    QString title; // plain text, as shown to the teacher
};

// One page of an API answer with prop=imageinfo judged: a candidate when
// its licence is free, it has no restriction, no deletion request and is a
// JPEG or PNG; refused otherwise. Nothing at all when the page is no file
// (no title or no imageinfo).
std::variant<std::monostate, CommonsCandidate, RefusedFile> judgeFile(const QJsonObject& page);

} // namespace tarvelo
