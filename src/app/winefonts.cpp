// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "winefonts.h"

#include <QByteArray>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

bool runsUnderWine()
{
#ifdef Q_OS_WIN
    // Wine's ntdll exports its version; Windows' does not.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

bool platformChosen(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

} // namespace

void preferFreeTypeUnderWine(int argc, char *argv[])
{
    if (runsUnderWine() && !platformChosen(argc, argv))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}
