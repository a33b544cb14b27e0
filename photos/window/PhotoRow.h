// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class QLabel;
class QMimeData;
class QPushButton;

namespace tarvelo {

// One picture of a row as the set holds it: its thumbnail and why the quiz
// would fail on it.
struct RowPicture {
    QImage thumbnail;
    std::optional<QString> problem;
};

// One breed of the set: its name, thumbnails of the photographs the quiz will
// show for it (or of its drawing), a button under each photograph that
// removes it, and "Přidat fotografii…". The row takes the keyboard focus
// itself, so the arrow keys can walk the rows, and takes dropped image files
// as if they had been chosen.
class PhotoRow : public QFrame {
    Q_OBJECT

public:
    static constexpr int maxThumbnails = 10;

    PhotoRow(int index, const QString& breed, QWidget* parent = nullptr);

    int index() const { return index_; }
    const QString& breed() const { return breed_; }
    QPushButton* addButton() const { return add_; }
    QLabel* stateLabel() const { return state_; }
    // Photograph n (0-based) of those shown, and the button that removes it.
    QLabel* thumbnail(int n = 0) const { return cells_.at(static_cast<std::size_t>(n)).picture; }
    QPushButton* removeButton(int n) const { return cells_.at(static_cast<std::size_t>(n)).remove; }

    // What the set holds now: the breed's photographs in order, or, when
    // drawing, the one picture that stands for it (its drawing, or whatever
    // went wrong with it).
    void showPictures(const std::vector<RowPicture>& pictures, bool drawing);
    bool holdsDrawing() const { return drawing_; }
    int photoCount() const { return drawing_ ? 0 : static_cast<int>(problems_.size()); }
    // The first problem of its pictures, as the row says it.
    std::optional<QString> problem() const;
    // Why the quiz would fail on picture n.
    const std::optional<QString>& problemOf(int n) const {
        return problems_.at(static_cast<std::size_t>(n));
    }

    void setSelected(bool selected, int picture = 0);
    bool isSelected() const { return selected_; }
    int selectedPicture() const { return selectedPicture_; }

    // Tab goes from the row to each photograph and its button, then to
    // "Přidat fotografii…"; hidden ones and the drawing are passed over.
    QList<QWidget*> tabStops();

    // Only to look at: no adding or removing buttons, no drops, and Enter,
    // Space and Delete change nothing.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // The width the row needs to show maxThumbnails photographs.
    int widthWithAllPhotos() const;

signals:
    void addRequested(int index);
    // number 1 is the first photograph.
    void removeRequested(int index, int number);
    void photosDropped(int index, const QStringList& paths);
    // The row, or one of its buttons, took the focus or was clicked.
    void selectRequested(int index);
    // Its picture n (0-based) took the focus or was clicked.
    void pictureSelected(int index, int picture);
    // Up (-1) or Down (+1) was pressed in the row.
    void stepRequested(int index, int step);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Cell {
        QLabel* picture = nullptr;
        QPushButton* remove = nullptr;
    };

    // Up, Down, Enter and Delete, wherever in the row they are pressed; true
    // when taken.
    bool handleKey(QObject* target, QKeyEvent* event);
    // The cell whose picture or button watched is, or -1.
    int cellOf(const QObject* watched) const;
    void updateLook();
    void updateAccessibleText();

    int index_;
    QString breed_;
    QLabel* name_;
    QLabel* state_;
    QPushButton* add_;
    std::array<Cell, maxThumbnails> cells_;
    bool drawing_ = true;
    std::vector<std::optional<QString>> problems_;
    bool selected_ = false;
    int selectedPicture_ = 0;
    bool readOnly_ = false;
};

// What holds the rows; screen readers hear it as the list of breeds and each
// row as one of its items.
class PhotoRowList : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// The local files an image drag carries, none when it carries none.
QStringList droppedFiles(const QMimeData* data);

} // namespace tarvelo
