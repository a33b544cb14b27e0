// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotosApplication.h"

namespace tarvelo {

QString photosTitle() {
    return QStringLiteral("Tarvelo – vlastní fotografie");
}

PhotosApplication::PhotosApplication(int& argc, char** argv) : ClassicApplication(argc, argv) {
    setApplicationName(QStringLiteral("tarvelo-photos"));
}

QString PhotosApplication::errorCaption() const {
    return photosTitle();
}

} // namespace tarvelo
