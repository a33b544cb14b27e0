// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OwnCreditDialog.h"

#include "CreditText.h"
#include "CzechButtonBox.h"
#include "MessageBoxes.h"
#include "PhotoSet.h"
#include "SetCredits.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace tarvelo {

namespace {
struct KnownLicence {
    const char16_t* name;
    const char16_t* terms; // empty where there are none on the web to link
};

// What a teacher's own photograph is usually given; any other may be typed.
constexpr std::array<KnownLicence, 5> knownLicences{{
    {u"CC BY 4.0", u"https://creativecommons.org/licenses/by/4.0/"},
    {u"CC BY-SA 4.0", u"https://creativecommons.org/licenses/by-sa/4.0/"},
    {u"CC0 1.0", u"https://creativecommons.org/publicdomain/zero/1.0/"},
    {u"Volné dílo", u""},
    {u"Všechna práva vyhrazena", u""},
}};

QString termsOf(const QString& licence) {
    for (const KnownLicence& known : knownLicences) {
        if (licence == QString::fromUtf16(known.name)) {
            return QString::fromUtf16(known.terms);
        }
    }
    return {};
}
} // namespace

OwnCreditDialog::OwnCreditDialog(const std::optional<PhotoCredit>& current, QWidget* parent)
    : QDialog(parent), current_(current) {
    setWindowTitle(QStringLiteral("Autor a licence fotografie"));
    auto* intro = new QLabel(QStringLiteral("Kdo fotografii pořídil a pod jakou licencí ji lze "
                                            "použít. Bez autora fotografie žádný údaj nemá."),
                             this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);

    author_ = new QLineEdit(this);
    author_->setMaxLength(static_cast<int>(listAuthorBounds.characters));
    author_->setAccessibleName(QStringLiteral("Autor"));
    // Room for a name with its organisation, "Jan Novák, ZD Lány".
    author_->setMinimumWidth(author_->fontMetrics().averageCharWidth() * 40);
    licence_ = new QComboBox(this);
    licence_->setEditable(true);
    licence_->setInsertPolicy(QComboBox::NoInsert);
    for (const KnownLicence& known : knownLicences) {
        licence_->addItem(QString::fromUtf16(known.name));
    }
    licence_->lineEdit()->setMaxLength(static_cast<int>(listLicenceBounds.characters));
    licence_->setAccessibleName(QStringLiteral("Licence"));
    if (current) {
        author_->setText(plainText(current->author, listAuthorBounds));
        licence_->setCurrentText(plainText(current->licence, listLicenceBounds));
    }

    auto* form = new QFormLayout;
    auto* authorLabel = new QLabel(QStringLiteral("&Autor:"), this);
    authorLabel->setBuddy(author_);
    auto* licenceLabel = new QLabel(QStringLiteral("&Licence:"), this);
    licenceLabel->setBuddy(licence_);
    form->addRow(authorLabel, author_);
    form->addRow(licenceLabel, licence_);

    const CzechButtonBox buttons = makeCzechButtonBox(this, QStringLiteral("OK"));
    ok_ = buttons.accept;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons.box);
    author_->setFocus(Qt::OtherFocusReason);
}

std::optional<PhotoCredit> OwnCreditDialog::credit() const {
    const QString author = plainText(author_->text(), listAuthorBounds).trimmed();
    if (author.isEmpty()) {
        return std::nullopt;
    }
    PhotoCredit credit;
    if (current_) {
        // The page stays: the photograph is still the one from Commons.
        credit.page = current_->page;
        credit.shortPage = current_->shortPage;
        credit.title = current_->title;
    }
    credit.author = author;
    credit.licence = plainText(licence_->currentText(), listLicenceBounds).trimmed();
    credit.licenceUrl = current_ && current_->licence == credit.licence ? current_->licenceUrl
                                                                        : termsOf(credit.licence);
    return credit;
}

QString editOwnCredit(QWidget* parent, const PhotoSet& set, const QString& path) {
    const std::optional<PhotoCredit> current = creditOf(set, path);
    OwnCreditDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const std::optional<PhotoCredit> edited = dialog.credit();
    if (edited == current) {
        return {};
    }
    const std::optional<QString> failed =
        edited ? recordCredit(set, path, *edited) : forgetCredit(set, path);
    if (failed) {
        showError(parent, *failed);
        return QStringLiteral("Autor fotografie nebyl uložen.");
    }
    return edited ? QStringLiteral("Autor a licence fotografie uloženy.")
                  : QStringLiteral("Autor fotografie odebrán.");
}

} // namespace tarvelo
