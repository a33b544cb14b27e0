// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QImage>
#include <QString>
#include <optional>

class QLabel;
class QMimeData;
class QPushButton;

namespace tarvelo {

// One breed of the set: its name, a thumbnail of the picture the quiz will
// show, what that picture is, and the two buttons that change it. The row
// takes the keyboard focus itself, so the arrow keys can walk the rows, and
// takes a dropped image file as if it had been chosen.
class PhotoRow : public QFrame {
    Q_OBJECT

public:
    PhotoRow(int index, const QString& breed, QWidget* parent = nullptr);

    int index() const { return index_; }
    const QString& breed() const { return breed_; }
    QPushButton* chooseButton() const { return choose_; }
    QPushButton* restoreButton() const { return restore_; }
    QLabel* thumbnail() const { return thumbnail_; }
    QLabel* stateLabel() const { return state_; }

    // What the set holds now; problem is why the quiz would fail on it.
    void showPicture(const QImage& thumbnail, bool drawing, const std::optional<QString>& problem);
    bool holdsDrawing() const { return drawing_; }
    const std::optional<QString>& problem() const { return problem_; }

    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

signals:
    void chooseRequested(int index);
    void restoreRequested(int index);
    void photoDropped(int index, const QString& path);
    // The row, or one of its buttons, took the focus or was clicked.
    void selectRequested(int index);
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
    // Up, Down and Enter, wherever in the row they are pressed; true when taken.
    bool handleKey(QObject* target, QKeyEvent* event);
    void updateLook();
    void updateAccessibleText();

    int index_;
    QString breed_;
    QLabel* name_;
    QLabel* thumbnail_;
    QLabel* state_;
    QPushButton* choose_;
    QPushButton* restore_;
    bool drawing_ = true;
    std::optional<QString> problem_;
    bool selected_ = false;
};

// What holds the rows; screen readers hear it as the list of breeds and each
// row as one of its items.
class PhotoRowList : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// The local file an image drag carries, or an empty text when it carries none.
QString droppedFile(const QMimeData* data);

} // namespace tarvelo
