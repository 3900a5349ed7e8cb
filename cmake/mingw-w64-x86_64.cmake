# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX threads flavour, which
# Qt needs for std::thread and std::mutex). Used both to build the static Qt for Windows and to
# build Runewright against it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers only from the MinGW tree and the prefixes given on the command line;
# programs (moc, uic, rcc, wine) from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# libgcc, libstdc++ and winpthread go into the executable, so that it needs no DLL that
# Windows does not ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
