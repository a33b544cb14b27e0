// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoImport.h"

#include "AtomicFile.h"
#include "ByteSpan.h"
#include "ImportMessages.h"
#include "JpegImage.h"
#include "JpegPicture.h"
#include "JpegWriter.h"
#include "PictureErrors.h"
#include "QtImageSource.h"
#include "RegularFile.h"
#include "WriteFailure.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <new>

namespace tarvelo {

namespace {

constexpr int storedQuality = 90;

bool isJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 &&
           static_cast<unsigned char>(bytes[2]) == 0xFF;
}

// The source opened for reading and judged on what was opened.
RegularFile openSource(const QString& source) {
    RegularFile opened(source.toStdString());
    switch (opened.refusal()) {
    case RegularFile::Refusal::None:
        break;
    case RegularFile::Refusal::Missing:
        throw ImportFailure{ImportProblem::Missing, {}};
    case RegularFile::Refusal::Folder:
        throw ImportFailure{ImportProblem::NotAnImage, {}};
    case RegularFile::Refusal::NotRegular:
        throw ImportFailure{ImportProblem::NotAFile, {}};
    case RegularFile::Refusal::Denied:
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("chybí oprávnění ke čtení")};
    default:
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("soubor nelze otevřít")};
    }
    if (opened.size() > static_cast<std::uint64_t>(importMaxSourceBytes)) {
        throw ImportFailure{ImportProblem::TooLarge,
                            QStringLiteral("%1 MiB, nejvýše %2 MiB")
                                .arg(opened.size() / (1024 * 1024))
                                .arg(importMaxSourceBytes / (1024 * 1024))};
    }
    return opened;
}

// The whole file, read once: from here on the import works on bytes.
QByteArray readSource(const QString& source) {
    const RegularFile opened = openSource(source);
    QFile file;
    if (!file.open(opened.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("soubor nelze otevřít")};
    }
    QByteArray bytes(static_cast<qsizetype>(opened.size()), Qt::Uninitialized);
    const qint64 read = file.read(bytes.data(), bytes.size());
    if (read < 0) {
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("chyba při čtení souboru")};
    }
    bytes.truncate(static_cast<qsizetype>(read));
    return bytes;
}

// The photograph in bytes, decoded and turned upright.
UprightPicture readPicture(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        throw ImportFailure{ImportProblem::Empty, {}};
    }
    if (bytes.size() > importMaxSourceBytes) {
        throw ImportFailure{ImportProblem::TooLarge,
                            QStringLiteral("%1 MiB, nejvýše %2 MiB")
                                .arg(bytes.size() / (1024 * 1024))
                                .arg(importMaxSourceBytes / (1024 * 1024))};
    }
    if (isJpeg(bytes)) {
        return jpegImage(bytesOf(bytes), {.cover = [](QSize upright) {
                             return placedSize(upright.width(), upright.height());
                         }});
    }
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    return readQtPicture(device);
}

// Scaled down with Qt's smooth (area-averaging) filter, then in sRGB.
QImage storedImage(UprightPicture picture) {
    QImage image = picture.image.size() == picture.storedSize
                       ? std::move(picture.image)
                       : picture.image.scaled(picture.storedSize, Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_RGB32);
    const QColorSpace sRgb(QColorSpace::SRgb);
    if (picture.colourSpace.isValid() && picture.colourSpace != sRgb) {
        image.setColorSpace(picture.colourSpace);
        image.convertToColorSpace(sRgb);
    }
    return image;
}

// The copy must show in the quiz: decoded once by its own code before it
// goes into the set.
void checkWithQuizDecoder(const std::vector<std::uint8_t>& bytes) {
    try {
        JpegPicture picture = JpegPicture::fromBytes(bytes);
        picture.decodeRaster();
    } catch (const PictureError& e) {
        throw ImportFailure{ImportProblem::NotWritten,
                            QStringLiteral("uložená kopie by se v kvízu neukázala (%1)")
                                .arg(QString::fromUtf8(e.what()))};
    }
}

ImportedPhoto importOrThrow(const QByteArray& bytes) {
    UprightPicture picture = readPicture(bytes);
    if (picture.image.isNull() || picture.storedSize.isEmpty()) {
        throw ImportFailure{ImportProblem::Damaged, {}};
    }
    const Orientation orientation = picture.orientation;
    const QImage image = storedImage(std::move(picture));
    const std::vector<std::uint8_t> jpeg = encodeBaselineJpeg(image, storedQuality);
    checkWithQuizDecoder(jpeg);
    return {.ok = true,
            .message = {},
            .stored = QByteArray(reinterpret_cast<const char*>(jpeg.data()),
                                 static_cast<qsizetype>(jpeg.size())),
            .storedSize = image.size(),
            .appliedOrientation = orientation};
}

// Every way an import ends, as a result: its failures are worded with the
// photograph's name, a bytes' source read by `read`.
template <typename Read> ImportedPhoto importCaught(const QString& shownName, const Read& read) {
    ImportedPhoto result;
    try {
        return importOrThrow(read());
    } catch (const ImportFailure& failure) {
        result.message = importMessage(failure.problem, shownName, failure.detail);
    } catch (const std::bad_alloc&) {
        result.message =
            importMessage(ImportProblem::TooLarge, shownName, QStringLiteral("nedostatek paměti"));
    }
    return result;
}

} // namespace

ImportedPhoto importPhoto(const QByteArray& bytes, const QString& shownName) {
    return importCaught(shownName, [&bytes]() -> const QByteArray& { return bytes; });
}

ImportedPhoto importPhotoFile(const QString& source) {
    return importCaught(QFileInfo(source).fileName(), [&source] { return readSource(source); });
}

ImportResult importResultOf(const ImportedPhoto& imported, const QString& storedPath) {
    return {.ok = false,
            .message = imported.message,
            .storedSize = imported.storedSize,
            .storedBytes = imported.stored.size(),
            .appliedOrientation = imported.appliedOrientation,
            .storedPath = storedPath,
            .creditProblem = {}};
}

ImportResult importPhoto(const QString& source, const QString& target) {
    const ImportedPhoto imported = importPhotoFile(source);
    ImportResult result = importResultOf(imported, target);
    if (!imported.ok) {
        return result;
    }
    if (const auto error = writeFileAtomically(target.toStdString(), bytesOf(imported.stored))) {
        result.message = importMessage(ImportProblem::NotWritten, QDir::toNativeSeparators(target),
                                       writeFailureReason(*error));
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace tarvelo
