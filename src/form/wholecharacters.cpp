// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wholecharacters.h"

QValidator::State WholeCharacters::validate(QString &text, int &position) const
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const bool paired = text.at(i).isHighSurrogate() ? i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                : text.at(i).isLowSurrogate()            ? i > 0 && text.at(i - 1).isHighSurrogate()
                                                         : true;
        if (!paired) {
            text.remove(i, 1);
            if (i < position)
                --position;
        }
    }
    return Acceptable;
}
