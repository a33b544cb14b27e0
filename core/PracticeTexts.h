// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelo {

// Czech texts practice shows, with Czech plural forms.

// "Umím 12 z 19".
std::string progressText(std::int32_t known, std::int32_t total);
// "Procvičování dokončeno za 27 otázek. Umím 19 z 19." (1 otázku, 2–4 otázky, 5+ otázek)
std::string practiceEndText(std::int32_t questions, std::int32_t total);
// "K opakování dnes: 1 plemeno" / "3 plemena" / "5 plemen"; "Dnes není nic k opakování." for 0.
std::string dueText(std::int32_t due);
// What screen readers hear of a confusion: "Zaměněno s: Jersey".
std::string confusionDescription(std::string_view otherBreed);
// The one sentence when a save after an answer failed, with the reason.
std::string saveFailedText(std::string_view reason);

} // namespace tarvelo
