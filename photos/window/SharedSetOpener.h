// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"
#include "SharedSetUnpacking.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace tarvelo {

class SharedSetWindow;

// The shared sets the editor opens, each unpacked off the window's thread
// and then shown in a window of its own that goes, and its folder with it,
// once it is closed and its quiz has ended. One set is opened at a time.
class SharedSetOpener : public QObject {
    Q_OBJECT

public:
    explicit SharedSetOpener(QObject* parent = nullptr);
    ~SharedSetOpener() override;

    // Starts unpacking file into a fresh temporary folder, breeds without
    // photographs drawn from drawingsDir, behind a progress box over parent
    // that offers "Zrušit"; openingEnded tells how it went. A set still
    // being opened is given up first, without a word and without a window.
    void open(const QString& file, const QString& drawingsDir, bool offerForAll, QWidget* parent);
    bool opening() const { return unpacking_ != nullptr; }
    // Stops the set being opened: openingEnded follows, cancelled.
    void cancelOpening();
    // Closes one of the windows it opened.
    void close(QWidget* window);

signals:
    // The opened set's window, shown, and its name as shown; or none, with
    // the Czech sentence why the file was refused, or with none when the
    // opening was cancelled.
    void openingEnded(tarvelo::SharedSetWindow* window, const QString& shownName,
                      const QString& problem);
    // The set shown in window is to replace the user's own set's
    // photographs, or the class set's when forAll.
    void useRequested(QWidget* window, const QString& shownName, const tarvelo::PhotoSet& unpacked,
                      bool forAll);

private:
    void unpacked();

    QPointer<SharedSetUnpacking> unpacking_;
    bool offerForAll_ = false;
    std::vector<std::unique_ptr<SharedSetWindow>> windows_;
};

} // namespace tarvelo
