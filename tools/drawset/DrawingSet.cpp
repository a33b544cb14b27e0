// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingSet.h"

#include "BreedLooks.h"
#include "CowGeometry.h"
#include "CowPainter.h"
#include "Jitter.h"
#include "Pasture.h"

#include <AtomicFile.h>
#include <BreedCatalogue.h>
#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <array>
#include <stdexcept>

namespace tarvelo::drawset {

namespace {

constexpr std::array<PictureFormat, breedCount> formats{{
    {800, 600, false}, {600, 800, true},   {1600, 900, false}, {1024, 768, true},
    {640, 480, false}, {500, 500, true},   {800, 600, true},   {600, 800, false},
    {1600, 900, true}, {1024, 768, false}, {640, 480, true},   {500, 500, false},
    {800, 600, false}, {600, 800, true},   {1600, 900, false}, {1024, 768, true},
    {640, 480, false}, {500, 500, true},   {900, 1200, false},
}};

// The file at path replaced by bytes, all or nothing.
bool writeWhole(const QByteArray& bytes, const QString& path, QString& error) {
    const std::string file = path.toStdString();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (const auto failure =
            writeFileAtomically(file, {data, static_cast<std::size_t>(bytes.size())})) {
        error = QString::fromStdString(writeErrorText(file, *failure));
        return false;
    }
    return true;
}

} // namespace

PictureFormat pictureFormat(int index) {
    if (index < 0 || index >= breedCount) {
        throw std::out_of_range("picture index outside 0.." + std::to_string(breedCount - 1));
    }
    return formats[static_cast<std::size_t>(index)];
}

QImage drawPicture(int index) {
    const PictureFormat format = pictureFormat(index);
    const BreedLook look = breedLook(index);
    const QSizeF size(format.width, format.height);

    // Every breed is placed on the scale of an average cow, so a small breed
    // looks small against the fence.
    const QRectF average = cowGeometry(Build{}, Head{}).bounds();
    const double scale =
        std::min(0.88 * size.width() / average.width(), 0.74 * size.height() / average.height());
    const double groundY = size.height() * 0.9;

    QImage image(format.width, format.height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Jitter jitter(look.seed);
    paintPasture(painter, size, groundY, scale, jitter);

    const CowGeometry geometry = cowGeometry(look.build, look.head);
    const double cowScale = scale * look.build.size;
    painter.translate(size.width() / 2.0 - cowScale * geometry.bounds().center().x(),
                      groundY - cowScale * geometry.ground);
    painter.scale(cowScale, cowScale);
    paintCow(painter, look, geometry, jitter);
    return image;
}

bool writeJpeg(const QImage& image, const QString& path, bool progressive, QString& error) {
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, "jpeg");
    writer.setQuality(85);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image)) {
        error = path + ": " + writer.errorString();
        return false;
    }
    return writeWhole(encoded.data(), path, error);
}

bool writeDrawingSet(const QString& outDir, QString& error) {
    const QString folder = QDir(outDir).filePath("obr/0");
    if (!QDir().mkpath(folder)) {
        error = "cannot create " + folder;
        return false;
    }
    for (int index = 0; index < breedCount; ++index) {
        const QString path = QDir(folder).filePath(QString::number(index) + ".jpg");
        if (!writeJpeg(drawPicture(index), path, pictureFormat(index).progressive, error)) {
            return false;
        }
    }
    return true;
}

bool writeContactSheet(const QString& path, QString& error) {
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    if (!contactSheet().save(&encoded, "png")) {
        error = "cannot encode the contact sheet";
        return false;
    }
    return writeWhole(encoded.data(), path, error);
}

QImage contactSheet() {
    constexpr int columns = 5;
    constexpr int cellWidth = 400;
    constexpr int cellHeight = 330;
    constexpr int captionHeight = 30;
    const int rows = (breedCount + columns - 1) / columns;
    QImage sheet(columns * cellWidth, rows * cellHeight, QImage::Format_RGB32);
    sheet.fill(QColor(0x303030));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font("Liberation Sans");
    font.setPixelSize(16);
    painter.setFont(font);
    for (int index = 0; index < breedCount; ++index) {
        const QImage picture = drawPicture(index);
        const QRect cell((index % columns) * cellWidth, (index / columns) * cellHeight, cellWidth,
                         cellHeight);
        const QRect area = cell.adjusted(6, 6, -6, -captionHeight);
        const QSize fitted = picture.size().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.center().x() - fitted.width() / 2,
                           area.center().y() - fitted.height() / 2, fitted.width(),
                           fitted.height());
        painter.drawImage(target, picture);
        painter.setPen(Qt::white);
        const std::string_view name = answerName(index);
        painter.drawText(
            QRect(cell.left(), cell.bottom() - captionHeight, cell.width(), captionHeight),
            Qt::AlignCenter,
            QString::number(index) + "  " +
                QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    return sheet;
}

} // namespace tarvelo::drawset
