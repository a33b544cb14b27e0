// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the photographs' window share: a set in a folder of its
// own and the window on it, the message boxes it opens, and how to read
// what a label or a screen reader is given.
#pragma once

#include "PhotosWindow.h"
#include "TempDir.h"

#include <QAccessible>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QLabel;

namespace tarvelo::testing {

QByteArray contents(const QString& path);
// Writes bytes as the file at path, which is returned.
QString written(const QString& path, const QByteArray& bytes);
QString accessibleText(QObject* object, QAccessible::Text kind);

struct BoxSeen {
    QString caption;
    QString text;
    bool openedInPreviewPaint; // the preview's paint had not ended yet
    Qt::TextFormat format;
};

// A set in a folder of its own, its drawings in another, and the window on it
// shown; message boxes are recorded and closed as they open.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture();

    QString path(const std::string& name) const { return QString::fromStdString(dir / name); }
    QString root() const { return path("Třída 3.B"); }
    QString drawing(int index) const { return path("kresby/" + std::to_string(index) + ".jpg"); }

    void open();
    // Waits for the view's thumbnails, which are decoded off the window's
    // thread; false when they never came.
    static bool thumbnailsFilled(SetView* view);
    // name in ASCII: std::filesystem would take it in the Windows code page.
    QString writePhoto(const std::string& name, int width, int height);
    // Runs the window's import and waits for it; false when it never ended.
    bool importInto(int index, const QStringList& files);
    bool importInto(int index, const QString& file) { return importInto(index, QStringList{file}); }
    QString setFile(int photo, int index) const;
#ifndef _WIN32
    // A folder every user may write, made: never the system's, so a class
    // set there is refused whoever runs the test.
    QString folderOthersMayWrite(const std::string& name) const;
#endif
    void press(Qt::Key key);

    fixtures::TempDir dir;
    std::unique_ptr<PhotosWindow> window;
    std::vector<BoxSeen> boxes;
    bool answerYes = false;

private:
    QTimer boxWatcher_;
};

// What a rich-text label shows, and its links as "text -> address".
struct Rendered {
    QString text;
    QStringList links;
};

Rendered rendered(const QString& html);
Rendered rendered(const QLabel* label);

// Answers each dialog of tarvelo-photos' own (not a message box) as it
// opens; one left open after the answer is cancelled, so a failed check
// never leaves the test waiting.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::function<void(QDialog*)> answer);

private:
    QTimer timer_;
};

} // namespace tarvelo::testing
