// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StudyCredit.h"

#include "ForeignText.h"
#include "SetCredits.h"

#include <QDir>

namespace tarvelo {

namespace {
constexpr TextBounds authorBounds{.characters = 80, .lines = 1};
constexpr TextBounds licenceBounds{.characters = 40, .lines = 1};
// Commons' addresses with a long title run to a few hundred characters; the
// short form is preferred where the set has it.
constexpr TextBounds pageBounds{.characters = 160, .lines = 1};
const QString separator = QStringLiteral(" · ");
} // namespace

QString creditLine(const PhotoCredit& credit) {
    const QString author = plainText(credit.author, authorBounds).trimmed();
    if (author.isEmpty()) {
        return {};
    }
    QString line = QStringLiteral("Foto: ") + author;
    if (const QString licence = plainText(credit.licence, licenceBounds).trimmed();
        !licence.isEmpty()) {
        line += separator + licence;
    }
    const QString& address = credit.shortPage.isEmpty() ? credit.page : credit.shortPage;
    if (const QString page = plainText(address, pageBounds).trimmed(); !page.isEmpty()) {
        line += separator + page;
    }
    return line;
}

QString studyCreditText(const std::string& relativePath) {
    const PhotoSet set(QDir::currentPath(), QString());
    const QString path = set.pathOf(relativePath);
    const std::optional<PhotoCredit> credit = creditOf(set, path);
    return credit ? creditLine(*credit) : QString();
}

} // namespace tarvelo
