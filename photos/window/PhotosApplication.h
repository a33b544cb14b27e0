// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClassicApplication.h"

#include <QString>

namespace tarvelo {

// The application of tarvelo-photos: the quiz's classic look, and whatever
// escapes an event handler (the picture box reports a bad picture from its
// paint) shown in an error box under the window's title.
class PhotosApplication : public ClassicApplication {
    Q_OBJECT
public:
    PhotosApplication(int& argc, char** argv);

protected:
    QString errorCaption() const override;
};

// The window title and the caption of every message box.
QString photosTitle();

} // namespace tarvelo
