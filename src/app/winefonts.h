// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WINEFONTS_H
#define WINEFONTS_H

// Under Wine, the text inside line edits, spin boxes and editable lists does not show with
// Qt's GDI-based font engines; the windows platform's FreeType engine draws it. When the
// program runs under Wine and nobody asked for a platform (-platform, QT_QPA_PLATFORM), this
// chooses that engine. Call it before the application object is built. Elsewhere, and on
// Windows itself, it does nothing.
void preferFreeTypeUnderWine(int argc, char *argv[]);

#endif // WINEFONTS_H
