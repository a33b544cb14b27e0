// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoImport.h"

#include "AtomicFile.h"
#include "ImportMessages.h"
#include "JpegPicture.h"
#include "JpegSource.h"
#include "JpegWriter.h"
#include "PictureErrors.h"
#include "QtImageSource.h"
#include "RegularFile.h"
#include "SetFolderFiles.h"
#include "WriteFailure.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <functional>
#include <new>

namespace tarvelo {

namespace {

// No photograph comes near this; a bigger file is a mistake, not a picture.
constexpr qint64 maxSourceBytes = 512LL * 1024 * 1024;
constexpr int storedQuality = 90;

bool isJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 &&
           static_cast<unsigned char>(bytes[2]) == 0xFF;
}

// The source opened for reading and judged on what was opened: a pipe put
// in the photograph's place after the teacher picked it is refused, never
// waited on.
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
    const auto size = opened.size();
    if (size == 0) {
        throw ImportFailure{ImportProblem::Empty, {}};
    }
    if (size > static_cast<std::uint64_t>(maxSourceBytes)) {
        throw ImportFailure{ImportProblem::TooLarge, QStringLiteral("%1 MiB, nejvýše %2 MiB")
                                                         .arg(size / (1024 * 1024))
                                                         .arg(maxSourceBytes / (1024 * 1024))};
    }
    return opened;
}

// The photograph in source, read and turned upright; the file is closed
// again before anything is written, as the target may be the same file.
UprightPicture readSource(const QString& source) {
    const RegularFile opened = openSource(source);
    QFile file;
    if (!file.open(opened.descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        throw ImportFailure{ImportProblem::Unreadable, QStringLiteral("soubor nelze otevřít")};
    }
    return isJpeg(file.peek(3)) ? readJpegPicture(file) : readQtPicture(file);
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

// Puts the stored copy in its place, all or nothing.
using StoredWrite = std::function<std::optional<WriteError>(std::span<const std::uint8_t>)>;

ImportResult importOrThrow(const QString& source, const QString& target, const StoredWrite& write) {
    UprightPicture picture = readSource(source);
    if (picture.image.isNull() || picture.storedSize.isEmpty()) {
        throw ImportFailure{ImportProblem::Damaged, {}};
    }
    const Orientation orientation = picture.orientation;
    const QImage image = storedImage(std::move(picture));
    const std::vector<std::uint8_t> jpeg = encodeBaselineJpeg(image, storedQuality);
    checkWithQuizDecoder(jpeg);
    if (const auto error = write(jpeg)) {
        throw ImportFailure{ImportProblem::NotWritten, writeFailureReason(*error)};
    }
    return {.ok = true,
            .message = {},
            .storedSize = image.size(),
            .storedBytes = static_cast<qint64>(jpeg.size()),
            .appliedOrientation = orientation,
            .storedPath = target};
}

ImportResult importInto(const QString& source, const QString& target, const StoredWrite& write) {
    ImportResult result;
    try {
        return importOrThrow(source, target, write);
    } catch (const ImportFailure& failure) {
        const QString name = failure.problem == ImportProblem::NotWritten
                                 ? QDir::toNativeSeparators(target)
                                 : QFileInfo(source).fileName();
        result.message = importMessage(failure.problem, name, failure.detail);
    } catch (const std::bad_alloc&) {
        result.message = importMessage(ImportProblem::TooLarge, QFileInfo(source).fileName(),
                                       QStringLiteral("nedostatek paměti"));
    }
    return result;
}

} // namespace

ImportResult importPhoto(const QString& source, const QString& target) {
    return importInto(source, target, [&target](std::span<const std::uint8_t> bytes) {
        return writeFileAtomically(target.toStdString(), bytes);
    });
}

ImportResult importPhoto(const QString& source, const SetFolder& set, const std::string& below) {
    const QString target = QDir::cleanPath(QString::fromStdString(set.root) + QLatin1Char('/') +
                                           QString::fromStdString(below));
    return importInto(source, target, [&set, &below](std::span<const std::uint8_t> bytes) {
        return writeFileInSet(set, below, bytes);
    });
}

} // namespace tarvelo
