// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace tarvelo {

// The application of tarvelo-photos: the quiz's classic look, and whatever
// escapes an event handler (the picture box reports a bad picture from its
// paint) shown in a message box instead of ending the program.
class PhotosApplication : public QApplication {
    Q_OBJECT
public:
    PhotosApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The window title and the caption of every message box.
QString photosTitle();

} // namespace tarvelo
