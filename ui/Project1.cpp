// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Program.h"
#include "SessionEnd.h"
#include "TApplication.h"

int main(int argc, char** argv) {
    tarvelo::endAtOnceWhenTheSessionEnds();

    tarvelo::TApplication application(argc, argv);
    return tarvelo::runProject1(application);
}
