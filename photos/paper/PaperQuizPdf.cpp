// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaperQuizPdf.h"

#include "AtomicFile.h"
#include "BreedCatalogue.h"
#include "ExternalLink.h"
#include "ForeignText.h"
#include "ImportMessages.h"
#include "JpegImage.h"
#include "PdfJpeg.h"
#include "PictureErrors.h"
#include "PictureFile.h"
#include "WriteFailure.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdint>
#include <new>
#include <span>

namespace tarvelo {

namespace {

// The page in millimetres: A4 with margins any printer prints into.
constexpr double sideMargin = 15;
constexpr double topMargin = 12;
constexpr double contentWidth = 210 - 2 * sideMargin;
constexpr double contentHeight = 297 - 2 * topMargin;

// Two questions side by side. A 4:3 photograph fills its box at 80 x 60 mm,
// big enough to tell a breed by; a wider one takes the whole 87 mm.
constexpr double columnGap = 6;
constexpr double cellWidth = (contentWidth - columnGap) / 2;
constexpr double numberHeight = 7;
constexpr double photoHeight = 60;
constexpr double answerLineGap = 10; // under the photograph, room for handwriting
// A photograph's credit, in small print at the top of that gap: two lines at
// most, so the handwriting keeps its room.
constexpr double creditHeight = 5;
constexpr double creditPoints = 6;
// The author as the credit names them; a longer name is cut, so that the
// licence and the link stay on the paper.
constexpr TextBounds printedAuthorBounds{.characters = 60, .lines = 1};
constexpr double cellSpacing = 5;
constexpr double cellHeight = numberHeight + photoHeight + answerLineGap + cellSpacing;

// Paper shows no more than 300 pixels an inch; a photograph with more in its
// box is embedded at that, else the widest stored ones (1923 x 699, printed
// 87 mm wide) would take the file of 19 far past 5 MiB. Fewer pixels are
// never made more.
constexpr double printPixelsPerMm = 300 / 25.4;

constexpr double listRowHeight = 5.5;
constexpr double listPadding = 3;
constexpr double keyRowHeight = 8;

// Arial on Windows; on Linux Liberation Sans, which has Arial's metrics and
// comes with the package, or DejaVu Sans; Tahoma under Wine. All of them
// have the Czech letters and allow embedding.
QFont paperFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Tahoma")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString breedName(int breed) {
    return QString::fromUtf8(answerName(breed));
}

// The pixels a picture's box on paper can show, from its upright size.
QSize printPixels(QSize upright) {
    const QSizeF printed = QSizeF(upright).scaled(cellWidth, photoHeight, Qt::KeepAspectRatio);
    const QSize most = (printed * printPixelsPerMm).toSize();
    return upright.width() <= most.width() && upright.height() <= most.height() ? upright : most;
}

// The picture upright at the pixels its box on paper can show, decoded at
// the smallest of libjpeg's scales that covers them (JPEG on every system,
// with or without Qt's plugins), bounded as the quiz bounds it. Throws
// PictureError.
QImage printedPicture(const QString& path) {
    const std::vector<std::uint8_t> bytes =
        readPictureFile(QDir::toNativeSeparators(path).toStdString());
    UprightPicture decoded;
    try {
        decoded = jpegImage(bytes, {.cover = printPixels,
                                    .maxPixels = DecodeLimits{}.maxPixels,
                                    .maxSide = 0,
                                    .libraryMemory = 512L * 1024 * 1024,
                                    .refuseIncomplete = false});
    } catch (const ImportFailure& failure) {
        throw PictureError(importReason(failure.problem, failure.detail).toStdString());
    }
    if (decoded.image.size() == decoded.storedSize) {
        return decoded.image;
    }
    return decoded.image.scaled(decoded.storedSize, Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation);
}

// Draws on the writer's pages in millimetres from the content's top left
// corner.
class Sheet {
public:
    explicit Sheet(QPdfWriter& writer)
        : writer_(writer), painter_(&writer), unit_(writer.resolution() / 25.4) {
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        QPen pen(Qt::black);
        pen.setWidthF(0.3 * unit_);
        painter_.setPen(pen);
    }

    int pages() const { return pages_; }

    void newPage() {
        writer_.newPage();
        ++pages_;
    }

    QRectF area(double x, double y, double width, double height) const {
        return {(sideMargin + x) * unit_, (topMargin + y) * unit_, width * unit_, height * unit_};
    }

    void text(const QRectF& mm, const QString& text, const QFont& font,
              Qt::Alignment flags = Qt::AlignLeft | Qt::AlignVCenter, int wrap = 0) {
        painter_.setFont(font);
        painter_.drawText(area(mm.x(), mm.y(), mm.width(), mm.height()),
                          static_cast<int>(flags.toInt()) | wrap, text);
    }

    // Width of text in millimetres.
    double textWidth(const QString& text, const QFont& font) const {
        return QFontMetricsF(font, &writer_).horizontalAdvance(text) / unit_;
    }

    void line(double x1, double y, double x2) {
        painter_.drawLine(area(x1, y, 0, 0).topLeft(), area(x2, y, 0, 0).topLeft());
    }

    void frame(double x, double y, double width, double height) {
        painter_.drawRect(area(x, y, width, height));
    }

    // The whole image into the box, keeping its shape, centred. The PDF keeps
    // the image's own pixels and only scales where it is shown.
    void picture(const QImage& image, double x, double y, double width, double height) {
        const QSizeF shown = QSizeF(image.size()).scaled(width, height, Qt::KeepAspectRatio);
        painter_.drawImage(area(x + (width - shown.width()) / 2, y + (height - shown.height()) / 2,
                                shown.width(), shown.height()),
                           image);
    }

private:
    QPdfWriter& writer_;
    QPainter painter_;
    double unit_; // device units per millimetre
    int pages_ = 1;
};

// The title and the lines for name, class and date; returns the height used.
double drawHeader(Sheet& sheet, PaperQuizLevel level) {
    sheet.text({0, 0, contentWidth, 9}, QStringLiteral("Test: plemena skotu"), paperFont(16, true));
    const QFont labels = paperFont(11);
    const struct {
        QString label;
        double from, to;
    } fields[] = {{QStringLiteral("Jméno:"), 0, 96},
                  {QStringLiteral("Třída:"), 102, 136},
                  {QStringLiteral("Datum:"), 142, contentWidth}};
    const double y = 13;
    for (const auto& field : fields) {
        sheet.text({field.from, y, field.to - field.from, 7}, field.label, labels,
                   Qt::AlignLeft | Qt::AlignBottom);
        sheet.line(field.from + sheet.textWidth(field.label, labels) + 1.5, y + 6.5, field.to);
    }
    const QString task = level == PaperQuizLevel::Beginner
                             ? QStringLiteral("Ke každé fotografii napište název plemene. "
                                              "Vybírejte z tohoto seznamu:")
                             : QStringLiteral("Ke každé fotografii napište název plemene.");
    sheet.text({0, 23, contentWidth, 7}, task, labels);
    return 32;
}

// The names to choose from, in the answer list's order, down one column and
// then the next, in a frame; returns the height used.
double drawChoices(Sheet& sheet, double top) {
    constexpr int rows = (breedCount + 1) / 2;
    const QFont font = paperFont(10.5);
    const double columnWidth = (contentWidth - 2 * listPadding) / 2;
    for (int i = 0; i < breedCount; ++i) {
        const double x = listPadding + (i / rows) * columnWidth;
        const double y = top + listPadding + (i % rows) * listRowHeight;
        sheet.text({x, y, columnWidth, listRowHeight},
                   QString::fromUtf8(BreedCatalogue::choices[static_cast<std::size_t>(i)]), font);
    }
    const double height = rows * listRowHeight + 2 * listPadding;
    sheet.frame(0, top, contentWidth, height);
    return height + 6;
}

// What a free licence asks to be printed with the photograph: "Foto:
// AUTHOR, LICENCE" and the link to its page on Commons (of a page elsewhere
// only its host). Never its title, which often
// names the breed.
struct PrintedCredit {
    QString words;
    QString link;
};
PrintedCredit printedCredit(const PhotoCredit& credit) {
    QStringList parts;
    for (const QString& part : {plainText(credit.author, printedAuthorBounds),
                                plainText(credit.licence, {.characters = 60, .lines = 1})}) {
        if (!part.trimmed().isEmpty()) {
            parts << part.trimmed();
        }
    }
    // Judged again: a pupil reads where the link leads, never a look-alike.
    std::optional<QUrl> page = externalLink(credit.shortPage);
    if (!page) {
        page = externalLink(credit.page);
    }
    return {QStringLiteral("Foto: ") + parts.join(QStringLiteral(", ")),
            page ? printedPage(*page) : QString()};
}

// The credit in small print under the photograph: on one line when it fits,
// else the link on a line of its own, so that it is not broken where it need
// not be; a link longer than a line (a page without a short link) is broken
// within itself.
void drawCredit(Sheet& sheet, const PhotoCredit& credit, double x, double y) {
    const PrintedCredit printed = printedCredit(credit);
    const QFont font = paperFont(creditPoints);
    const auto fits = [&](const QString& text) { return sheet.textWidth(text, font) <= cellWidth; };
    QString text = printed.words;
    if (!printed.link.isEmpty()) {
        const QString separator =
            printed.words.endsWith(QLatin1Char(' ')) ? QString() : QStringLiteral(",");
        const QString oneLine = text + separator + QLatin1Char(' ') + printed.link;
        text = fits(oneLine) || !fits(text) ? oneLine
                                            : text + separator + QLatin1Char('\n') + printed.link;
    }
    sheet.text({x, y, cellWidth, creditHeight}, text, font, Qt::AlignLeft | Qt::AlignTop,
               fits(printed.link) ? Qt::TextWordWrap : Qt::TextWrapAnywhere);
}

void drawQuestion(Sheet& sheet, int number, const QImage& image,
                  const std::optional<PhotoCredit>& credit, double x, double y) {
    sheet.text({x, y, cellWidth, numberHeight}, QStringLiteral("%1.").arg(number),
               paperFont(13, true));
    sheet.picture(image, x, y + numberHeight, cellWidth, photoHeight);
    if (credit) {
        drawCredit(sheet, *credit, x, y + numberHeight + photoHeight + 0.5);
    }
    sheet.line(x, y + numberHeight + photoHeight + answerLineGap - 1, x + cellWidth);
}

void drawKey(Sheet& sheet, const PaperQuiz& quiz) {
    sheet.text({0, 0, contentWidth, 9}, QStringLiteral("Řešení"), paperFont(16, true));
    sheet.text({0, 10, contentWidth, 7},
               QStringLiteral("Test: plemena skotu, úroveň %1").arg(paperQuizLevelName(quiz.level)),
               paperFont(11));
    const QFont font = paperFont(12);
    double y = 22;
    int number = 1;
    for (const PaperQuestion& question : quiz.questions) {
        sheet.text({0, y, 12, keyRowHeight}, QStringLiteral("%1.").arg(number++), font,
                   Qt::AlignRight | Qt::AlignVCenter);
        sheet.text({15, y, contentWidth - 15, keyRowHeight}, breedName(question.breed), font);
        y += keyRowHeight;
    }
}

constexpr const char* outOfMemory = "nedostatek paměti";

QString pictureProblem(const QString& path, const char* reason) {
    return QStringLiteral("Test nelze vytvořit: obrázek „%1“ nelze přečíst (%2).")
        .arg(QDir::toNativeSeparators(path), QString::fromUtf8(reason));
}

} // namespace

PaperQuizPdf renderPaperQuiz(const PaperQuiz& quiz) {
    ensurePdfJpeg();
    PaperQuizPdf result;
    QBuffer buffer(&result.bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("Test: plemena skotu"));
        writer.setCreator(QStringLiteral("Tarvelo"));
        Sheet sheet(writer);

        double y = drawHeader(sheet, quiz.level);
        if (quiz.level == PaperQuizLevel::Beginner) {
            y += drawChoices(sheet, y);
        }
        for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
            const PaperQuestion& question = quiz.questions[i];
            QImage image;
            try {
                image = printedPicture(question.picture);
            } catch (const PictureError& error) {
                return {{}, 0, pictureProblem(question.picture, error.what())};
            } catch (const std::bad_alloc&) {
                return {{}, 0, pictureProblem(question.picture, outOfMemory)};
            }
            const bool left = i % 2 == 0;
            if (left && y + cellHeight - cellSpacing > contentHeight) {
                sheet.newPage();
                y = 0;
            }
            drawQuestion(sheet, static_cast<int>(i) + 1, image, question.credit,
                         left ? 0 : cellWidth + columnGap, y);
            if (!left || i + 1 == quiz.questions.size()) {
                y += cellHeight;
            }
        }
        sheet.newPage();
        drawKey(sheet, quiz);
        result.pages = sheet.pages();
    }
    return result;
}

std::optional<QString> savePaperQuiz(const PaperQuiz& quiz, const QString& path, int* pages) {
    PaperQuizPdf pdf;
    try {
        pdf = renderPaperQuiz(quiz);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Test nelze vytvořit: %1.").arg(QString::fromUtf8(outOfMemory));
    }
    if (pdf.problem) {
        return pdf.problem;
    }
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(pdf.bytes.constData()),
        static_cast<std::size_t>(pdf.bytes.size()));
    if (const auto error =
            writeFileAtomically(QDir::toNativeSeparators(path).toStdString(), bytes)) {
        return QStringLiteral("Test nelze uložit jako „%1“: %2.")
            .arg(QDir::toNativeSeparators(path), writeFailureReason(*error));
    }
    if (pages != nullptr) {
        *pages = pdf.pages;
    }
    return std::nullopt;
}

} // namespace tarvelo
