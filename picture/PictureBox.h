// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegPicture.h"
#include "Placement.h"
#include "ViewItems.h"

#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

namespace tarvelo {

// The photograph area of the quiz window. Loading reads the file and its
// header only; the first paint decodes it, every paint draws it scaled down
// (never up) and centred, opaque, dropping pixels rather than blending them,
// turned upright as the file's Exif orientation says.
// Outside the picture the parent's background shows. Paint-time decoding
// errors propagate out of paintEvent, once per picture, to the application's
// event-loop error handling.
class PictureBox : public QWidget, public PictureViewItem {
    Q_OBJECT

public:
    enum class State { Empty, Loaded, Decoded, Failed };

    explicit PictureBox(QWidget* parent = nullptr);

    // Replaces the picture on success and schedules a repaint; on any error
    // (EInvalidGraphic, EFOpenError, EReadError, EJPEG) nothing changes.
    void loadPicture(const std::string& path) override;

    State state() const;
    // Where the picture goes in the current client area; empty when there is none.
    PlacementRect placement() const;
    // True when the last placement covers the whole box (no background erase).
    bool opaque() const { return opaque_; }
    const JpegPicture* picture() const { return picture_ ? &*picture_ : nullptr; }
    int decodeCount() const { return decodeCount_; }
    // How many times the raster was scaled for drawing; repaints at the same
    // size reuse the last result.
    int scaleCount() const { return scaleCount_; }
    int paintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pictureChanged();
    // The picture turned upright and scaled to `size` device pixels; the same
    // size reuses the last result, so a repaint only copies it.
    const QImage& scaledRaster(QSize size);
    static QRect devicePixels(const QTransform& toDevice, const PlacementRect& rect);

    std::optional<JpegPicture> picture_;
    RasterMemory spare_; // the previous picture's raster memory, until the next decode
    bool drawing_ = false;
    bool opaque_ = false;
    QImage scaled_; // the raster at the device size it was last drawn
    int decodeCount_ = 0;
    int scaleCount_ = 0;
    int paintCount_ = 0;
};

// Tells Qt's accessibility layer that a picture box is heard as a picture
// (a graphic), not as an empty pane. Call before any window is built.
void installPictureBoxRole();

} // namespace tarvelo
