// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultPage.h"

#include <string_view>

namespace tarvelo {

namespace {
constexpr int resultWindowWidth = 392;
constexpr int resultWindowHeight = 183;
constexpr std::string_view startWindowCaption = "Start page";
} // namespace

void showResultPage(QuizView& view) {
    view.Form2.setVisible(true);
    view.Form2.setWindowStateNormal();
    view.Form2.setOuterSize(resultWindowWidth, resultWindowHeight);
    view.GroupBox1.setVisible(false);
    view.GroupBox2.setVisible(true);
    view.Form2.setText(std::string(startWindowCaption));
    view.Form2.showAndBringForward();
    view.Form1.setVisible(false);
}

} // namespace tarvelo
