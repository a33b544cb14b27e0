// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text from a file as shown in a window and on a terminal.
#include "ForeignText.h"

#include <gtest/gtest.h>

namespace tarvelo::testing {
namespace {

const QString ellipsis(QChar(0x2026));

TEST(ForeignTextTest, ControlAndDirectionCharactersGoAndMarkupStaysAsWritten) {
    // An escape sequence, DEL, C1's CSI and NEL, and every direction control.
    const QString hostile = QStringLiteral("\x1b[31mRed\x7f\u009b2J\u0085 \u202aa\u202bb\u202cc"
                                           "\u202dd\u202ee\u2066f\u2067g\u2068h\u2069i\u200ej"
                                           "\u200fk\u061cl");
    EXPECT_EQ(shownSetName(hostile), QStringLiteral("[31mRed2J abcdefghijkl"));
    EXPECT_EQ(shownSetNote(hostile), shownSetName(hostile));
    EXPECT_EQ(quotedName(QStringLiteral("fotka\u202egpj.exe")), QStringLiteral("fotkagpj.exe"));

    // A name is one line; a note keeps its lines, whatever ends them.
    const QString lines = QStringLiteral("  Foto:\tJ. Nováková\r\nCC BY\rLány\u2028konec\n ");
    EXPECT_EQ(shownSetName(lines), QStringLiteral("Foto: J. Nováková CC BY Lány konec"));
    EXPECT_EQ(shownSetNote(lines), QStringLiteral("Foto: J. Nováková\nCC BY\nLány\nkonec"));

    // Markup is text like any other: the widgets show it as written.
    const QString markup = QStringLiteral("<b style=\"color:red\">X</b> & <img src=\"/dev/zero\">");
    EXPECT_EQ(shownSetName(markup), markup);
    EXPECT_EQ(shownSetNote(markup), markup);

    // What a file cannot say in UTF-8 anyway: a lone surrogate.
    EXPECT_EQ(quotedName(QString(QChar(0xd800)) + QStringLiteral("x")),
              QString(QChar(QChar::ReplacementCharacter)) + QStringLiteral("x"));
    EXPECT_EQ(shownSetName(QStringLiteral("\u202e\x01 \t")), QString());
}

TEST(ForeignTextTest, LongTextIsCutWithAnEllipsisWithinItsBoundsOnce) {
    const QString name = shownSetName(QString(5000, QLatin1Char('a')));
    EXPECT_EQ(name, QString(99, QLatin1Char('a')) + ellipsis);
    EXPECT_EQ(shownSetName(name), name);
    EXPECT_EQ(shownSetName(QString(100, QLatin1Char('a'))), QString(100, QLatin1Char('a')));
    // Only what is shown counts: removed characters make no room run out.
    EXPECT_EQ(shownSetName(QString(100, QChar(0x202e)) + QStringLiteral("krátký")),
              QStringLiteral("krátký"));
    // Spaces before the cut go; a surrogate pair is never split.
    EXPECT_EQ(shownSetName(QString(97, QLatin1Char('a')) + QStringLiteral("  bbbb")),
              QString(97, QLatin1Char('a')) + ellipsis);
    const QString cow = QStringLiteral("\U0001f404");
    const QString cows = shownSetName(QString(98, QLatin1Char('a')) + cow + cow);
    EXPECT_EQ(cows, QString(98, QLatin1Char('a')) + ellipsis);

    const QString note = shownSetNote(QString(3000, QLatin1Char('n')));
    EXPECT_EQ(note.size(), setNoteBounds.characters);
    EXPECT_TRUE(note.endsWith(ellipsis));
    // A note of many lines keeps its first ones, the last of them cut.
    QString tall;
    for (int i = 0; i < 1000; ++i) {
        tall += QStringLiteral("řádek %1\n").arg(i);
    }
    const QString shortNote = shownSetNote(tall);
    EXPECT_EQ(shortNote.count(QLatin1Char('\n')), setNoteBounds.lines - 1);
    EXPECT_TRUE(shortNote.startsWith(QStringLiteral("řádek 0\nřádek 1\n")));
    EXPECT_TRUE(shortNote.endsWith(QStringLiteral("řádek 14") + ellipsis));
    EXPECT_EQ(shownSetNote(shortNote), shortNote);
    // Blank lines count too, and are no end of what is kept.
    EXPECT_EQ(plainText(QStringLiteral("a") + QString(50, QLatin1Char('\n')) + QStringLiteral("b"),
                        {.characters = 100, .lines = 3}),
              QStringLiteral("a") + ellipsis);

    const QString path = QStringLiteral("/home/učitel/") + QString(500, QLatin1Char('d'));
    EXPECT_EQ(quotedName(path).size(), quotedNameBounds.characters);
    EXPECT_TRUE(quotedName(path).startsWith(QStringLiteral("/home/učitel/ddd")));
}

TEST(ForeignTextTest, ATerminalSeesControlAndDirectionCharactersWrittenOut) {
    EXPECT_EQ(terminalText(QStringLiteral("\x1b]0;title\x07\x1b[2J\r\x7f")),
              QStringLiteral("\\x1b]0;title\\x07\\x1b[2J\\x0d\\x7f"));
    EXPECT_EQ(terminalText(QStringLiteral("\u009b31m \u202etxt.exe \u2066\u200f\u061c")),
              QStringLiteral("\\u009b31m \\u202etxt.exe \\u2066\\u200f\\u061c"));
    // Lines, tabs, Czech and Windows paths stay as they are.
    const QString plain =
        QStringLiteral("usage: tarvelo-photos\n\tC:\\Users\\Učitel\\sada.tarvelo: 3 fotografie");
    EXPECT_EQ(terminalText(plain), plain);
}

} // namespace
} // namespace tarvelo::testing
