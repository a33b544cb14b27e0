// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file name a set's name proposes.
#include "SetFileName.h"

#include <gtest/gtest.h>

namespace tarvelo::testing {
namespace {

const QString ellipsis(QChar(0x2026));

TEST(SetFileNameTest, ASetsNameBecomesAFileNameWindowsAndLinuxBothTake) {
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("Plemena ze statku – Lány"), QStringLiteral("Plemena ze statku – Lány")},
        {QStringLiteral("Skot: 3.B"), QStringLiteral("Skot- 3.B")},
        {QStringLiteral("a<b>c:d\"e/f\\g|h?i*j"), QStringLiteral("a-b-c-d-e-f-g-h-i-j")},
        {QStringLiteral("tab\tnový\nřádek\x01\u202e"), QStringLiteral("tab nový řádek")},
        // Windows drops trailing dots and spaces; a leading dot hides a file.
        {QStringLiteral("  sada 3. . "), QStringLiteral("sada 3")},
        {QStringLiteral(".skrytá"), QStringLiteral("skrytá")},
        // Devices, in any case, alone or before a dot.
        {QStringLiteral("CON"), QStringLiteral("CON_")},
        {QStringLiteral("con.txt"), QStringLiteral("con_.txt")},
        {QStringLiteral("Nul."), QStringLiteral("Nul_")},
        {QStringLiteral("aux .sada"), QStringLiteral("aux_ .sada")},
        {QStringLiteral("prn"), QStringLiteral("prn_")},
        {QStringLiteral("com1"), QStringLiteral("com1_")},
        {QStringLiteral("COM9.b"), QStringLiteral("COM9_.b")},
        {QStringLiteral("lpt5"), QStringLiteral("lpt5_")},
        {QStringLiteral("LPT\u00b9"), QStringLiteral("LPT\u00b9_")},
        {QStringLiteral("conout$"), QStringLiteral("conout$_")},
        // Names that merely begin like a device are files.
        {QStringLiteral("CONSOLE"), QStringLiteral("CONSOLE")},
        {QStringLiteral("COM10"), QStringLiteral("COM10")},
        {QStringLiteral("lpt"), QStringLiteral("lpt")},
        {QStringLiteral("auxiliary.x"), QStringLiteral("auxiliary.x")},
        // Nothing left: a neutral name.
        {QString(), QStringLiteral("sada")},
        {QStringLiteral(" . .. "), QStringLiteral("sada")},
        {QStringLiteral("\u202e\x1b"), QStringLiteral("sada")},
    };
    for (const auto& [name, stem] : cases) {
        EXPECT_EQ(setFileStem(name), stem) << name.toStdString();
    }

    // Long names stay within 255 bytes with ".tarvelo", in any script.
    for (const QString& letter : {QStringLiteral("a"), QStringLiteral("ř"), QStringLiteral("牛"),
                                  QStringLiteral("\U0001f404")}) {
        const QString stem = setFileStem(letter.repeated(300));
        EXPECT_LE((stem + QStringLiteral(".tarvelo")).toUtf8().size(), 255) << stem.toStdString();
        EXPECT_TRUE(stem.startsWith(letter.repeated(10))) << stem.toStdString();
        EXPECT_TRUE(stem.endsWith(ellipsis)) << stem.toStdString();
        EXPECT_FALSE(stem.contains(QChar(QChar::ReplacementCharacter)));
    }
}

} // namespace
} // namespace tarvelo::testing
