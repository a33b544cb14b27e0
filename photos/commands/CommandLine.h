// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tarvelo {

// A command without a window: the program's arguments (the program first,
// then the command's option, --class-set taken out), the program's folder,
// and whether --class-set was among them. Returns the exit status.
using CommandRun = int (*)(const QStringList& arguments, const QString& programFolder,
                           bool classSet);

// What a command needs made before it runs: the plain application, or one
// with fonts on a platform without a display (the written test draws text).
enum class CommandApplication { Core, HeadlessGui };

// One way of calling tarvelo-photos: its first argument and what follows it.
// The table of them is the one place the forms are written: the usage text
// that --help prints, that misuse gets on standard error and that the
// window's box shows comes from it, and so does which code runs.
struct CommandForm {
    // The first argument; empty for the window, which takes DIR or FILE.
    const char* option;
    // The arguments after it, as the usage text writes them.
    const char* synopsis;
    // The command; null for the window, which main itself opens.
    CommandRun run;
    CommandApplication application = CommandApplication::Core;
};

// The form argv[1] names; the window's when it names none of the commands.
const CommandForm& commandFor(int argc, char** argv);

// main for every command: makes the application the form asks for and runs
// the form's command on the arguments (CommandMain.cpp).
int runCommand(const CommandForm& form, int argc, char** argv);

// "usage: tarvelo-photos ..." with every form, and what INDEX and N are.
QString commandUsage();
// The same for the form whose option is `option` alone, where there is one.
QString commandUsage(QStringView option);

// Takes --class-set out of the arguments, wherever it stands; true when it
// was there.
bool takeClassSetOption(QStringList& arguments);

// An option the window does not know, seen before any window or display is
// asked for: a script that misspelt one must not be left waiting on a box.
bool hasUnknownWindowOption(int argc, char** argv);

} // namespace tarvelo
