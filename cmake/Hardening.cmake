# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The compiler's and linker's protections, for every build that is tested or shipped: what
# Debian's dpkg-buildflags gives with hardening=+all, grown to the OpenSSF's recommended set for
# GCC 12 (Linux) and GCC 14 (MinGW-w64, in the Windows build root). Included after project() by Runewright's own CMakeLists.txt, and by the static Qt for
# Windows through CMAKE_PROJECT_INCLUDE (scripts/windows-toolchain.sh), so that Qt, which is
# most of runewright.exe, is compiled with the same flags.
include_guard(GLOBAL)

set(_compile
    # A canary in every function with an array or an address-taken local.
    -fstack-protector-strong
    # An endbr64 at every place an indirect branch may land, for CET's indirect branch
    # tracking, and objects marked ready for its shadow stack.
    -fcf-protection=full
    # Locals that are read before they are written read as zero, not as stale stack.
    -ftrivial-auto-var-init=zero
    # Bounds checks in libstdc++'s containers and strings.
    -D_GLIBCXX_ASSERTIONS
    # Every stack allocation larger than a page probed, so that it cannot jump over the guard.
    -fstack-clash-protection
    -Wformat -Werror=format-security
)
# Fortified libc calls check their sizes, those known only at run time too (glibc 2.34 and
# mingw-w64 12 or later); they also hide some faults from AddressSanitizer, which wants the plain
# calls, and need optimisation. Ubuntu's compiler defines a level of its own, hence the -U.
if(NOT RUNEWRIGHT_SANITIZE)
    list(APPEND _compile -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3)
endif()

# Only an array declared [] counts as flexible: a fortified call or a bounds check takes any
# other array at its declared size (GCC 13 and later, so the Windows build alone). Runewright's
# own code only: Qt and the Windows headers declare open-ended arrays as [1] (ANYSIZE_ARRAY),
# which would then abort a correct copy.
if(CMAKE_SYSTEM_NAME STREQUAL Windows AND PROJECT_NAME STREQUAL Runewright)
    list(APPEND _compile -fstrict-flex-arrays=3)
endif()

if(CMAKE_SYSTEM_NAME STREQUAL Windows)
    # ASLR with 64-bit entropy and DEP asked for, not left to the linker's defaults. The flag on
    # the link line links the runtime of the canaries and the fortified calls, libssp.
    set(_link LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat -fstack-protector-strong)
else()
    # A position-independent executable, asked for rather than left to the compiler's default
    # (Qt has everything compiled -fPIC); relocations resolved and made read-only before the
    # program starts; no executable stack.
    set(_link -pie LINKER:-z,relro LINKER:-z,now LINKER:-z,noexecstack)
endif()

# Only C and C++: the same flags would break windres and the assembler.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${_compile}>")
add_link_options(${_link})
unset(_compile)
unset(_link)
