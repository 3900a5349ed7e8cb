// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPELLROW_H
#define SPELLROW_H

#include <QList>
#include <QString>

#include <functional>

namespace Ui {
class RunewrightClass;
}

// How one column goes between the form and the row, both ways.
struct ColumnEncoding
{
    // The column's text as the form gives it.
    std::function<QString()> write;
    // Puts a value of the column, as the game reads it, into the form. Returns nothing where
    // the form writes the same value back, in this notation or another; otherwise why it cannot,
    // as a sentence in which %1 stands for the value read and %2 for the value written instead.
    std::function<QString(const QString &value)> read;
};

// One column of the spell table (spells.2da): its header name, the width the row pads it to,
// and its encoding.
struct SpellColumn
{
    const char *name;
    int width;
    ColumnEncoding encoding;
};

// The 69 columns of the spell the form describes, in the table's order.
QList<SpellColumn> spellColumns(const Ui::RunewrightClass &form);

// A value padded to its column's width, and always followed by at least one space: the game
// reads runs of spaces as one separator, so two touching values would merge into one.
QString cell(const QString &value, int width);

#endif // SPELLROW_H
