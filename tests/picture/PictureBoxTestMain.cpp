// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widget tests always run headless, also when ctest lists them at build time.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    tarvelo::fixtures::RecordingApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
