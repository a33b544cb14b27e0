# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads).
# TARVELO_WINDOWS_PREFIX names the toolchain cache's install folder, where Qt,
# libjpeg-turbo and GoogleTest for Windows live; nothing is taken from the
# Linux side but the compilers and Qt's host tools.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVELO_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${TARVELO_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
