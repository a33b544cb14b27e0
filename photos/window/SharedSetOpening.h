// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoSet.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace tarvelo {

class SharedSetWindow;

// Reads file and unpacks it into a fresh temporary folder, breeds without
// photographs drawn from drawingsDir, while a progress box over parent
// offers "Zrušit". The view, or the Czech sentence why the file was
// refused; neither when the teacher cancelled.
struct OpenedSharedSet {
    std::unique_ptr<SharedSetWindow> window;
    QString problem;
};
OpenedSharedSet openSharedSetFile(const QString& file, const QString& drawingsDir, bool offerForAll,
                                  QWidget* parent = nullptr);

// The shared sets the editor opened, each shown in a window of its own that
// goes, and its folder with it, once it is closed and its quiz has ended.
class SharedSetOpener : public QObject {
    Q_OBJECT

public:
    explicit SharedSetOpener(QObject* parent = nullptr);
    ~SharedSetOpener() override;

    struct Opened {
        SharedSetWindow* window = nullptr; // null when refused or cancelled
        QString shownName;
        QString problem; // empty when cancelled
    };
    // Opens file as openSharedSetFile does and shows its window.
    Opened open(const QString& file, const QString& drawingsDir, bool offerForAll, QWidget* parent);
    // Closes one of the windows it opened.
    void close(QWidget* window);

signals:
    // The set shown in window is to replace the user's own set's
    // photographs, or the class set's when forAll.
    void useRequested(QWidget* window, const QString& shownName, const tarvelo::PhotoSet& unpacked,
                      bool forAll);

private:
    std::vector<std::unique_ptr<SharedSetWindow>> windows_;
};

} // namespace tarvelo
