// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests always run headless, also when ctest lists them at build time.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    // The quiz's own application, with the look the program has.
    tarvelo::TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
