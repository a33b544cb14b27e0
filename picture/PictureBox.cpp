// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"

#include "PictureFile.h"
#include "RasterImage.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace tarvelo {

namespace {

// Sets a flag for the lifetime of a scope and restores its old value, also
// when an exception leaves the scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::loadPicture(const std::string& path) {
    JpegPicture loaded = tarvelo::loadPicture(path); // throws; nothing changed yet
    // The old raster's memory waits for the new picture's decode; its bytes go now.
    if (picture_) {
        if (RasterMemory memory = std::move(*picture_).releaseRasterMemory(); memory.data()) {
            spare_ = std::move(memory);
        }
    }
    picture_.reset();
    scaled_ = QImage();
    picture_.emplace(std::move(loaded));
    pictureChanged();
}

PictureBox::State PictureBox::state() const {
    if (!picture_) {
        return State::Empty;
    }
    if (!picture_->raster()) {
        return State::Loaded;
    }
    return picture_->decodeFailed() ? State::Failed : State::Decoded;
}

PlacementRect PictureBox::placement() const {
    if (!picture_) {
        return {};
    }
    // Placed as it is viewed: a photograph stored on its side is placed as the
    // portrait it shows.
    return placementRect(picture_->uprightWidth(), picture_->uprightHeight(), width(), height());
}

void PictureBox::pictureChanged() {
    const PlacementRect rect = placement();
    opaque_ = picture_ && rect.left <= 0 && rect.top <= 0 && rect.right >= width() &&
              rect.bottom >= height();
    // Until the raster exists the first paint may draw nothing (a decode
    // error), so the parent keeps erasing underneath until then.
    setAttribute(Qt::WA_OpaquePaintEvent, opaque_ && state() == State::Decoded);
    if (!drawing_) {
        update();
    }
}

void PictureBox::paintEvent(QPaintEvent*) {
    const FlagScope drawing(drawing_);
    ++paintCount_;
    if (!picture_) {
        return;
    }
    if (!picture_->raster()) {
        ++decodeCount_;
        try {
            picture_->decodeRaster(std::move(spare_));
        } catch (...) {
            pictureChanged();
            throw; // before any painter exists on this widget
        }
        pictureChanged();
    }
    const PlacementRect rect = placement();
    if (rect.width() <= 0 || rect.height() <= 0 || picture_->raster()->empty()) {
        return;
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // On a high-density screen the logical rectangle spans more device pixels
    // than logical ones; the picture is scaled to those and drawn 1:1, so that
    // every device pixel shows a pixel of the photograph.
    const QTransform toDevice = painter.deviceTransform();
    const QRect target = devicePixels(toDevice, rect);
    const QImage& image = scaledRaster(target.size());
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    painter.drawImage(target.topLeft(), image);
}

QRect PictureBox::devicePixels(const QTransform& toDevice, const PlacementRect& rect) {
    // Each edge goes to the nearest device-pixel boundary, as Qt's own fills
    // do, so the picture meets the black around it with no seam or overlap.
    const QRectF mapped =
        toDevice.mapRect(QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)));
    const QPoint topLeft(qRound(mapped.left()), qRound(mapped.top()));
    const QPoint end(qRound(mapped.right()), qRound(mapped.bottom()));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

const QImage& PictureBox::scaledRaster(QSize size) {
    if (scaled_.isNull() || scaled_.size() != size) {
        ++scaleCount_;
        // Kept in the screen's native format so that a repaint is a plain blit;
        // turned upright here, on the few pixels drawn, never on the raster.
        scaled_ = scaledRasterImage(*picture_->raster(), size, picture_->orientation());
    }
    return scaled_;
}

void installPictureBoxRole() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                auto* widget = qobject_cast<QWidget*>(object);
                if (widget == nullptr ||
                    className != QLatin1String(PictureBox::staticMetaObject.className())) {
                    return nullptr;
                }
                return new QAccessibleWidget(widget, QAccessible::Graphic);
            });
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace tarvelo
