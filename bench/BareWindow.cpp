// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up yardsticks: a plain Qt window of the start window's client
// size and nothing else, or (with --text) the same window showing one line
// of text, which costs the font system's start-up.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(386, 157);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* label = new QLabel(QStringLiteral("Obtížnost"), &window);
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(16);
        font.setBold(true);
        font.setItalic(true);
        label->setFont(font);
        label->move(24, 24);
    }
    window.show();
    return QApplication::exec();
}
