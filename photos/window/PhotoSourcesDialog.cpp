// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSourcesDialog.h"

#include "BreedCatalogue.h"
#include "CreditText.h"
#include "PhotoSet.h"
#include "SetCredits.h"

#include <QDialogButtonBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

namespace tarvelo {

namespace {
enum Column { BreedColumn, NumberColumn, AuthorColumn, LicenceColumn, PageColumn, ColumnCount };

// Where each of the set's photographs stands: its breed and its number
// (1 is the first), by path.
QHash<QString, std::pair<int, int>> placesOf(const PhotoSet& set) {
    QHash<QString, std::pair<int, int>> places;
    for (int index = 0; index < breedCount; ++index) {
        const QStringList photos = set.photos(index);
        for (int n = 0; n < photos.size(); ++n) {
            places.insert(photos.at(n), {index, n + 1});
        }
    }
    return places;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The page's address, short where Commons gave a short one, as it is shown.
constexpr TextBounds pageBounds{.characters = 300, .lines = 1};

// A page on Commons by its address, readable; any other only by its host,
// so that a shared set's own words in a path are never shown as Commons'.
QString shownPage(const QUrl& page) {
    return plainText(isCommonsPage(page) ? page.toDisplayString() : linkHost(page), pageBounds);
}

// The photograph's page to open, the short address preferred; nothing when
// it is no web page.
std::optional<QUrl> pageOf(const PhotoCredit& credit) {
    const std::optional<QUrl> shortPage = webLink(credit.shortPage);
    return shortPage ? shortPage : webLink(credit.page);
}

QLabel* pageLink(const QUrl& page, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setText(linkHtml(page, shownPage(page)));
    return label;
}
} // namespace

PhotoSourcesDialog::PhotoSourcesDialog(const PhotoSet& set, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Zdroje fotografií"));
    const QHash<QString, std::pair<int, int>> places = placesOf(set);
    std::vector<std::pair<std::pair<int, int>, PhotoCredit>> rows;
    for (CreditedPhoto& credited : creditsOf(set)) {
        const auto place = places.constFind(credited.path);
        if (place != places.cend()) { // a credit without its photograph says nothing
            rows.emplace_back(*place, std::move(credited.credit));
        }
    }

    empty_ = new QLabel(QStringLiteral("Žádná fotografie sady nemá uvedeného autora."), this);
    empty_->setTextFormat(Qt::PlainText);
    empty_->setVisible(rows.empty());

    table_ = new QTableWidget(static_cast<int>(rows.size()), ColumnCount, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Plemeno"), QStringLiteral("Fotografie"),
                                       QStringLiteral("Autor"), QStringLiteral("Licence"),
                                       QStringLiteral("Stránka")});
    table_->setAccessibleName(QStringLiteral("Zdroje fotografií"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& [place, credit] = rows.at(static_cast<std::size_t>(r));
        table_->setItem(r, BreedColumn, cell(QString::fromUtf8(answerName(place.first))));
        table_->setItem(r, NumberColumn, cell(QString::number(place.second)));
        table_->setItem(r, AuthorColumn, cell(plainText(credit.author, listAuthorBounds)));
        table_->setItem(r, LicenceColumn, cell(plainText(credit.licence, listLicenceBounds)));
        const std::optional<QUrl> page = pageOf(credit);
        // The cell beneath the link shows nothing (the two would overlap)
        // and tells a screen reader the address.
        QTableWidgetItem* pageCell = cell(QString());
        if (page) {
            pageCell->setData(Qt::AccessibleTextRole, shownPage(*page));
            table_->setCellWidget(r, PageColumn, pageLink(*page, table_));
        }
        table_->setItem(r, PageColumn, pageCell);
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setVisible(!rows.empty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close_ = buttons->button(QDialogButtonBox::Close);
    close_->setText(QStringLiteral("Zavřít"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(empty_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    if (!rows.empty()) {
        resize(900, 400);
    }
}

void showPhotoSources(QWidget* parent, const PhotoSet& set) {
    PhotoSourcesDialog dialog(set, parent);
    dialog.exec();
}

} // namespace tarvelo
