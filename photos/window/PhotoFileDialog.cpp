// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFileDialog.h"

#include <QFileDialog>
#include <QImageReader>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

namespace tarvelo {

QString photoFileFilter() {
    QStringList patterns{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                         QStringLiteral("*.png")};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!patterns.contains(pattern)) {
            patterns << pattern;
        }
    }
    return QStringLiteral("Obrázky (%1);;Všechny soubory (*)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList askForPhotos(QWidget* parent, const QString& breed) {
    // Where phones and cameras put their photographs, the first time.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileDialog::getOpenFileNames(parent, QStringLiteral("Fotografie: ") + breed, pictures,
                                         photoFileFilter());
}

} // namespace tarvelo
