// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "BreedCatalogue.h"
#include "JpegFixtures.h"
#include "PhotoRow.h"
#include "PhotosAccessibility.h"
#include "PictureBox.h"
#include "Utf8Path.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <filesystem>

namespace tarvelo::testing {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString written(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

QString accessibleText(QObject* object, QAccessible::Text kind) {
    return QAccessible::queryAccessibleInterface(object)->text(kind);
}

WindowFixture::WindowFixture() {
    installPhotoRowRoles();
    std::filesystem::create_directory(dir.path() / "kresby");
    for (int i = 0; i < breedCount; ++i) {
        fixtures::JpegRecipe drawing;
        drawing.width = 200 + 10 * i; // each drawing its own size
        drawing.height = 150;
        fixtures::writeFile(dir.path() / "kresby" / (std::to_string(i) + ".jpg"),
                            fixtures::makeJpeg(drawing));
    }
    boxWatcher_.setInterval(5);
    QObject::connect(&boxWatcher_, &QTimer::timeout, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            // Qt marks a widget while its paint event runs; a box opened
            // from inside that paint finds the mark still set.
            const bool inPaint =
                window && window->view()->preview()->testAttribute(Qt::WA_WState_InPaintEvent);
            boxes.push_back({box->windowTitle(), box->text(), inPaint, box->textFormat()});
            // A question is answered no, unless the test says yes.
            QAbstractButton* answer = nullptr;
            for (const auto button : {answerYes ? QMessageBox::Yes : QMessageBox::No,
                                      QMessageBox::Ok, QMessageBox::Close}) {
                if (answer == nullptr) {
                    answer = box->button(button);
                }
            }
            answer->click();
        }
    });
    boxWatcher_.start();
}

void WindowFixture::open() {
    window = std::make_unique<PhotosWindow>(PhotoSet(root(), path("kresby")));
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    ASSERT_TRUE(thumbnailsFilled(window->view()));
}

bool WindowFixture::thumbnailsFilled(SetView* view) {
    return QTest::qWaitFor([view] { return !view->thumbnailsPending(); }, 20000);
}

QString WindowFixture::writePhoto(const std::string& name, int width, int height) {
    fixtures::JpegRecipe photo;
    photo.width = width;
    photo.height = height;
    photo.pattern = fixtures::Pattern::Photo;
    fixtures::writeFile(dir.path() / pathFromUtf8(name), fixtures::makeJpeg(photo));
    return path(name);
}

bool WindowFixture::importInto(int index, const QStringList& files) {
    QSignalSpy finished(window.get(), &PhotosWindow::importFinished);
    window->addPhotos(index, files);
    return finished.wait(20000) && thumbnailsFilled(window->view());
}

QString WindowFixture::setFile(int photo, int index) const {
    return QDir(root()).filePath(QStringLiteral("obr/%1/%2.jpg").arg(photo).arg(index));
}

#ifndef _WIN32
QString WindowFixture::folderOthersMayWrite(const std::string& name) const {
    const QString folder = path(name);
    QDir().mkpath(folder);
    std::filesystem::permissions(folder.toStdString(), std::filesystem::perms::all);
    return folder;
}
#endif

void WindowFixture::press(Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key);
}

Rendered rendered(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    Rendered shown{document.toPlainText(), {}};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor()) {
                shown.links << fragment.text() + QStringLiteral(" -> ") +
                                   fragment.charFormat().anchorHref();
            }
        }
    }
    return shown;
}

Rendered rendered(const QLabel* label) {
    return rendered(label->text());
}

DialogAnswerer::DialogAnswerer(std::function<void(QDialog*)> answer) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || qobject_cast<QMessageBox*>(dialog) != nullptr) {
            return;
        }
        answer(dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    timer_.start();
}

} // namespace tarvelo::testing
