// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPELLROW_H
#define SPELLROW_H

#include <QList>
#include <QString>

namespace Ui {
class RunewrightClass;
}

// One column of the spell table (spells.2da): its header name, the width the row pads it to,
// and the text the form gives it.
struct SpellColumn
{
    const char *name;
    int width;
    QString text;

    // The text padded to the width, and always followed by at least one space: the game reads
    // runs of spaces as one separator, so two touching values would merge into one.
    QString cell() const;
};

// The 69 columns of the spell the form describes, in the table's order.
QList<SpellColumn> spellColumns(const Ui::RunewrightClass &form);

#endif // SPELLROW_H
