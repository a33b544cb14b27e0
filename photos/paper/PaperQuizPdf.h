// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PaperQuiz.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarvelo {

// A written test as an A4 PDF: a header to fill in (name, class, date), the
// numbered photographs with a line each to write the breed on, for beginners
// the names to choose from, and last the key ("Řešení"), a page of its own
// so it is not handed out. No breed is named before the key.
struct PaperQuizPdf {
    QByteArray bytes;
    int pages = 0;
    // Why there is no PDF (Czech): a picture that cannot be read.
    std::optional<QString> problem;
};

// Photographs are embedded with their own pixels, never scaled up, and the
// text with its font, so that it prints alike everywhere and can be searched.
PaperQuizPdf renderPaperQuiz(const PaperQuiz& quiz);

// Renders quiz and writes it to path (UTF-8, Qt's or the system's
// separators) all or nothing; the Czech reason when that fails, and then
// nothing is left at path that was not there before.
std::optional<QString> savePaperQuiz(const PaperQuiz& quiz, const QString& path,
                                     int* pages = nullptr);

} // namespace tarvelo
