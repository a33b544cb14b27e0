// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoStrip.h"
#include "Thumbnail.h"

#include <QFrame>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QHBoxLayout;
class QLabel;
class QMimeData;
class QPushButton;

namespace tarvelo {

// Whether a row offers to change its breed's photographs.
enum class RowEditing { Editable, ReadOnly };

// One breed of the set: its name, thumbnails of the photographs the quiz will
// show for it (or of its drawing), a button under each photograph that
// removes it, "Přidat fotografii…" and "Najít na Wikimedia Commons…"; a row only to look at has
// neither button, takes no drops, and Enter, Space and Delete change nothing. The row takes the
// keyboard focus itself, so the arrow keys can walk the rows, and takes dropped image files as if
// they had been chosen.
class PhotoRow : public QFrame {
    Q_OBJECT

public:
    static constexpr int maxThumbnails = PhotoStrip::maxThumbnails;

    PhotoRow(int index, const QString& breed, RowEditing editing, QWidget* parent = nullptr);

    int index() const { return index_; }
    const QString& breed() const { return breed_; }
    // Null in a row only to look at.
    QPushButton* addButton() const { return add_; }
    QPushButton* commonsButton() const { return commons_; }
    QLabel* stateLabel() const { return state_; }
    // Photograph n (0-based) of those shown, and the button that removes it.
    QLabel* thumbnail(int n = 0) const { return strip_.picture(n); }
    QPushButton* removeButton(int n) const { return strip_.removeButton(n); }

    // What the set holds now: count photographs of the breed, or, when
    // drawing, the one picture that stands for it (its drawing, or whatever
    // went wrong with it). Their thumbnails stay blank until filled in.
    void showPictures(int count, bool drawing);
    // Picture n's thumbnail, a "?" for a null one, and its problem.
    void fillPicture(int n, const RowPicture& picture);
    // Some thumbnail shown is still blank.
    bool thumbnailsPending() const { return strip_.thumbnailsPending(); }
    // Picture n's thumbnail and problem have been filled in.
    bool isFilled(int n) const { return strip_.isFilled(n); }
    bool holdsDrawing() const { return strip_.holdsDrawing(); }
    int photoCount() const { return strip_.photoCount(); }
    // The first problem of its pictures, as the row says it.
    std::optional<QString> problem() const { return strip_.problem(); }
    // Why the quiz would fail on picture n.
    const std::optional<QString>& problemOf(int n) const { return strip_.problemOf(n); }

    void setSelected(bool selected, int picture = 0);
    bool isSelected() const { return selected_; }
    int selectedPicture() const { return selectedPicture_; }

    // Tab goes from the row to each photograph and its button, then to
    // "Přidat fotografii…"; hidden ones and the drawing are passed over.
    QList<QWidget*> tabStops();

    bool isReadOnly() const { return readOnly_; }

    // The width the row needs to show maxThumbnails photographs.
    int widthWithAllPhotos() const;
    // Its height with photographs, and their buttons where it has any.
    int heightWithPhotos() const;

signals:
    void addRequested(int index);
    void commonsRequested(int index);
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
    QWidget* makeTextColumn();
    QLayout* makeButtons();
    QHBoxLayout* makeCells();
    void updateState();

    // Up, Down, Enter and Delete, wherever in the row they are pressed; true
    // when taken.
    bool handleKey(QObject* target, QKeyEvent* event);
    void updateLook();
    void updateAccessibleText();

    int index_;
    QString breed_;
    QLabel* name_;
    QLabel* state_;
    QPushButton* add_ = nullptr;
    QPushButton* commons_ = nullptr;
    PhotoStrip strip_;
    bool selected_ = false;
    int selectedPicture_ = 0;
    bool readOnly_;
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
