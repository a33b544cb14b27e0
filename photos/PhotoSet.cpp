// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoSet.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "ImportFailure.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "Utf8Path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace tarvelo {

namespace {

bool validIndex(int index) {
    return index >= 0 && index < breedCount;
}

QString noSuchPicture(int index) {
    return QStringLiteral("Obrázek číslo %1 v sadě není (jen 0 až %2).")
        .arg(index)
        .arg(breedCount - 1);
}

void setMessage(QString* message, const QString& text) {
    if (message) {
        *message = text;
    }
}

// The drawing's bytes into target, all or nothing.
bool copyAtomically(const QString& from, const QString& target, QString* message) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = readPictureFile(from.toStdString());
    } catch (const PictureError&) {
        setMessage(
            message,
            QStringLiteral("Kresbu „%1“ nelze přečíst.").arg(QDir::toNativeSeparators(from)));
        return false;
    }
    if (const auto error = writeFileAtomically(target.toStdString(), bytes)) {
        setMessage(message, QStringLiteral("Obrázek nelze uložit jako „%1“: %2.")
                                .arg(QDir::toNativeSeparators(target), writeFailureReason(*error)));
        return false;
    }
    return true;
}

} // namespace

PhotoSet::PhotoSet(QString root, QString drawingsDir)
    : root_(std::move(root)), drawingsDir_(std::move(drawingsDir)) {}

PhotoSet PhotoSet::inFolders(const std::filesystem::path& root,
                             const std::filesystem::path& drawingsDir) {
    const auto qtFolder = [](const std::filesystem::path& folder) {
        return QDir::cleanPath(
            QDir::fromNativeSeparators(QString::fromStdString(utf8FromPath(folder))));
    };
    return PhotoSet(qtFolder(root), qtFolder(drawingsDir));
}

QString PhotoSet::picturePath(int index) const {
    return QDir::cleanPath(
        root_ + QLatin1Char('/') +
        QDir::fromNativeSeparators(QString::fromStdString(tarvelo::picturePath(index))));
}

QString PhotoSet::drawingPath(int index) const {
    return QDir::cleanPath(drawingsDir_ + QStringLiteral("/%1.jpg").arg(index));
}

bool PhotoSet::ensureComplete(QString* message) {
    if (drawingsDir_.isEmpty()) {
        setMessage(message, QStringLiteral("Kresby dodávané s programem nebyly nalezeny; "
                                           "program je asi neúplně nainstalovaný."));
        return false;
    }
    const QString folder = QFileInfo(picturePath(0)).path();
    if (!QDir().mkpath(folder)) {
        setMessage(
            message,
            QStringLiteral("Složku „%1“ nelze vytvořit.").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    for (int index = 0; index < breedCount; ++index) {
        if (!QFileInfo::exists(picturePath(index)) &&
            !copyAtomically(drawingPath(index), picturePath(index), message)) {
            return false;
        }
    }
    return true;
}

ImportResult PhotoSet::choose(int index, const QString& photo) {
    ImportResult result;
    if (!validIndex(index)) {
        result.message = noSuchPicture(index);
        return result;
    }
    if (!ensureComplete(&result.message)) {
        return result;
    }
    return importPhoto(photo, picturePath(index));
}

bool PhotoSet::restoreDrawing(int index, QString* message) {
    if (!validIndex(index)) {
        setMessage(message, noSuchPicture(index));
        return false;
    }
    if (!ensureComplete(message)) {
        return false;
    }
    return copyAtomically(drawingPath(index), picturePath(index), message);
}

bool PhotoSet::isDrawing(int index) const {
    if (!validIndex(index)) {
        return false;
    }
    QFile picture(picturePath(index));
    QFile drawing(drawingPath(index));
    if (!picture.open(QIODevice::ReadOnly) || !drawing.open(QIODevice::ReadOnly)) {
        return false;
    }
    return picture.size() == drawing.size() && picture.readAll() == drawing.readAll();
}

std::optional<QString> PhotoSet::problem(int index) const {
    if (!validIndex(index)) {
        return noSuchPicture(index);
    }
    const QString path = picturePath(index);
    if (!QFileInfo::exists(path)) {
        return QStringLiteral("Obrázek „%1“ chybí; kvíz by ohlásil chybu.")
            .arg(QDir::toNativeSeparators(path));
    }
    // Exactly what the quiz's picture box does with it: load, then decode at
    // the first paint.
    try {
        JpegPicture picture = loadPicture(path.toStdString());
        picture.decodeRaster();
    } catch (const PictureError& e) {
        return QStringLiteral("Kvíz by obrázek „%1“ neukázal: %2")
            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what()));
    }
    return std::nullopt;
}

} // namespace tarvelo
