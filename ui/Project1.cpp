// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Program.h"
#include "SessionEnd.h"
#include "TApplication.h"

#include <QPalette>
#include <QStyleFactory>

int main(int argc, char** argv) {
    tarvelo::endAtOnceWhenTheSessionEnds();

    tarvelo::TApplication application(argc, argv);
    // The classic, unthemed look the windows were laid out for.
    tarvelo::TApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QPalette palette = tarvelo::TApplication::palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200)); // the classic button face
    tarvelo::TApplication::setPalette(palette);
    return tarvelo::runProject1(application);
}
