// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizWindows.h"

#include "BreedCatalogue.h"
#include "BreedPhotos.h"
#include "JpegFixtures.h"
#include "PictureBox.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <fstream>

namespace tarvelo::testing {

QuizWindows::QuizWindows() : previousDirectory_(QDir::currentPath()) {
    std::filesystem::create_directories(dir.path() / "obr" / "0");
    for (int i = 0; i < breedCount; ++i) {
        // A few shapes, so that fitting and centring get exercised.
        writePhoto(i, i % 3 == 0 ? 800 : 300, i % 3 == 1 ? 600 : 200);
    }
    QDir::setCurrent(QString::fromStdString(dir.path().string()));

    // Reads and closes every error box as it opens, in its own event loop.
    errorBoxWatcher_.setInterval(5);
    QObject::connect(&errorBoxWatcher_, &QTimer::timeout, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            const bool anyWindowVisible =
                program && (program->form1().isVisible() || program->form2().isVisible());
            // Qt marks a widget while its paint event runs; a box opened from
            // inside that paint finds the mark still set.
            const bool inPaint =
                program && program->form1().Image1->testAttribute(Qt::WA_WState_InPaintEvent);
            errorBoxes.push_back({box->windowTitle(), box->text(), box->parentWidget() != nullptr,
                                  anyWindowVisible, inPaint, box->textFormat()});
            box->button(QMessageBox::Ok)->click();
        }
    });
    errorBoxWatcher_.start();
}

QuizWindows::~QuizWindows() {
    errorBoxWatcher_.stop();
    if (program && program->form2().isModal()) {
        app().endModal(program->form2());
    }
    program.reset();
    QDir::setCurrent(previousDirectory_);
}

void QuizWindows::writePhoto(int index, int width, int height) {
    fixtures::JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    fixtures::writeFile(dir.path() / picturePath(index), fixtures::makeJpeg(recipe));
}

void QuizWindows::writeFurtherPhoto(int index, int photo) {
    fixtures::JpegRecipe recipe;
    recipe.width = 200 + 10 * photo;
    recipe.height = 150;
    const std::filesystem::path path = dir.path() / photoPath(index, photo);
    std::filesystem::create_directories(path.parent_path());
    fixtures::writeFile(path, fixtures::makeJpeg(recipe));
}

void QuizWindows::writeFile(const std::string& relativePath, const std::string& content) {
    std::ofstream(dir.path() / relativePath, std::ios::binary | std::ios::trunc) << content;
}

void QuizWindows::writeFileAt(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

void QuizWindows::removeFile(const std::string& relativePath) {
    std::filesystem::remove(dir.path() / relativePath);
}

void QuizWindows::startProgram() {
    program = std::make_unique<Program>(
        app(), [this](TForm2& form) { app().beginModal(form); },
        LearningPlace{memoryPath(), [this] { return today; }});
    program->start();
    settle();
}

void QuizWindows::settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }
}

QWidget* QuizWindows::keyTarget() const {
    if (QWidget* focused = QApplication::focusWidget()) {
        return focused;
    }
    return QApplication::activeWindow();
}

void QuizWindows::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = keyTarget();
    ASSERT_NE(target, nullptr) << "no window has the focus";
    QTest::keyClick(target, key, modifiers);
    settle();
}

void QuizWindows::type(const QString& text) {
    QWidget* target = keyTarget();
    ASSERT_NE(target, nullptr) << "no window has the focus";
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(target, c.toLatin1());
        } else {
            // Czech letters have no key code of their own here: the text is what counts.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    settle();
}

void QuizWindows::click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    settle();
}

void QuizWindows::startRound(bool advanced) {
    click(advanced ? static_cast<QWidget*>(form2().RadioButton2) : form2().RadioButton1);
    click(form2().Button1);
}

std::string QuizWindows::currentAnswer() const {
    return std::string(answerName(round().currentPicture));
}

void QuizWindows::answerRight() {
    answerWith(QString::fromStdString(currentAnswer()));
}

void QuizWindows::answerWith(const QString& answer) {
    if (form1().Edit1->isVisible()) {
        click(form1().Edit1);
        type(answer);
    } else {
        click(form1().ComboBox1);
        // Clicking drops the list down; pick the entry in it with the keyboard.
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        const int target = form1().ComboBox1->findText(answer);
        press(Qt::Key_Home);
        for (int i = 0; i < target; ++i) {
            press(Qt::Key_Down);
        }
        press(Qt::Key_Return); // closes the list keeping the entry; presses nothing
        EXPECT_EQ(form1().ComboBox1->currentText(), answer);
    }
    press(Qt::Key_Return);
}

} // namespace tarvelo::testing
