// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"
#include "PhotosApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests always run headless, also when ctest lists them at build time.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    // The window under the application tarvelo-photos itself runs, set up as
    // its main does.
    tarvelo::PhotosApplication app(argc, argv);
    tarvelo::installAccessibleRoles();
    return RUN_ALL_TESTS();
}
