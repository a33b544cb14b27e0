// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <exception>
#include <string>
#include <vector>

namespace tarvelo::fixtures {

// Catches what escapes an event handler, as the quiz application does, and
// records the messages instead of showing them.
class RecordingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            errors.emplace_back(error.what());
            return false;
        }
    }

    static RecordingApplication& instance() {
        return *static_cast<RecordingApplication*>(QCoreApplication::instance());
    }

    std::vector<std::string> errors;
};

} // namespace tarvelo::fixtures
