// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommonsCandidate.h"
#include "FreeLicence.h"

#include <QJsonObject>
#include <QString>
#include <variant>

namespace tarvelo {

// The text in a piece of Commons' HTML (an Artist field is often a link):
// tags dropped, entities decoded, whitespace collapsed, cut to `characters`.
QString plainFromHtml(const QString& html, qsizetype characters);

// Why one file of an imageinfo answer is left out.
struct RefusedFile {
    QString title; // plain text, as shown to the teacher
};

// One page of an API answer with prop=imageinfo judged: a candidate when
// its title is one Commons can have (isFileTitle), its licence is free, it
// has no restriction, no deletion request and is a JPEG or PNG; refused
// otherwise. The credit's licence is named from the licence itself. Nothing at all when the page is
// no file (no title or no imageinfo).
std::variant<std::monostate, CommonsCandidate, RefusedFile> judgeFile(const QJsonObject& page);

} // namespace tarvelo
