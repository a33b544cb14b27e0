// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizStage.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>

namespace tarvelo::bench {

QuizStage::QuizStage(QScreen* screen) : box(new PictureBox(&group)) {
    group.resize(673, 265);
    QPalette palette = group.palette();
    palette.setColor(QPalette::Window, Qt::black);
    group.setPalette(palette);
    group.setAutoFillBackground(true);
    box->setGeometry(16, 16, 641, 233);
    if (screen != nullptr) {
        group.setScreen(screen);
        group.move(screen->geometry().topLeft() + QPoint(40, 40));
    }
    group.show();
    QApplication::processEvents();
}

} // namespace tarvelo::bench
