// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Built into the program, not loaded from a file: moc then makes the static
// plugin's entry point, qt_static_plugin_JpegWritePlugin.
#define QT_STATICPLUGIN

#include "JpegWritePlugin.h"

#include "ImportMessages.h"
#include "JpegWriter.h"

#include <QIODevice>
#include <QImage>
#include <QImageIOPlugin>
#include <QVariant>

namespace tarvelo {

namespace {

class JpegWriteHandler : public QImageIOHandler {
public:
    bool canRead() const override { return false; }
    bool read(QImage*) override { return false; }

    bool write(const QImage& image) override {
        try {
            const std::vector<std::uint8_t> bytes = encodeBaselineJpeg(image, quality_);
            const auto size = static_cast<qint64>(bytes.size());
            return device() != nullptr &&
                   device()->write(reinterpret_cast<const char*>(bytes.data()), size) == size;
        } catch (const ImportFailure&) {
            return false;
        }
    }

    bool supportsOption(ImageOption option) const override { return option == Quality; }
    void setOption(ImageOption option, const QVariant& value) override {
        if (option == Quality) {
            const int quality = value.toInt();
            quality_ = quality >= 0 && quality <= 100 ? quality : defaultQuality;
        }
    }
    QVariant option(ImageOption option) const override {
        return option == Quality ? QVariant(quality_) : QVariant();
    }

private:
    static constexpr int defaultQuality = 90;
    int quality_ = defaultQuality;
};

} // namespace

std::unique_ptr<QImageIOHandler> makeJpegWriteHandler() {
    return std::make_unique<JpegWriteHandler>();
}

} // namespace tarvelo

class JpegWritePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "JpegWritePlugin.json")

public:
    Capabilities capabilities(QIODevice*, const QByteArray& format) const override {
        return format == "jpeg" || format == "jpg" ? CanWrite : Capabilities();
    }
    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override {
        // Qt's image writer takes the handler over and deletes it.
        QImageIOHandler* handler = tarvelo::makeJpegWriteHandler().release();
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

#include "JpegWritePlugin.moc"

QStaticPlugin tarvelo::jpegWriteStaticPlugin() {
    return qt_static_plugin_JpegWritePlugin();
}
