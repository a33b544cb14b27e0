// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosApplication.h"

#include <QMessageBox>
#include <QPalette>
#include <QStyleFactory>
#include <exception>

namespace tarvelo {

QString photosTitle() {
    return QStringLiteral("Tarvelo – vlastní fotografie");
}

PhotosApplication::PhotosApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("tarvelo-photos"));
    // The quiz's classic, unthemed look and button face.
    setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    setPalette(palette);
}

bool PhotosApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        QMessageBox::critical(activeWindow(), photosTitle(), QString::fromUtf8(error.what()));
        return false;
    }
}

} // namespace tarvelo
