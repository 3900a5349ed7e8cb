// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPELLROW_H
#define SPELLROW_H

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace Ui {
class RunewrightClass;
}

// How one column goes between the form and the row, both ways. All four come from one parse
// and one format of the column's kind, bound to its fields.
struct ColumnEncoding
{
    // The column's kind, bound to its fields, which the four functions share.
    std::shared_ptr<const void> kind;
    // The column's text as the form gives it.
    std::function<QString()> write;
    // Puts the value of a column's text into the form, or, where the form cannot hold it, the
    // value the form comes nearest with.
    std::function<void(const QString &text)> read;
    // Why the form cannot hold the value of a column's text, as a clause in which %1 stands for
    // the text; empty where it can. Asks the fields as they are now.
    std::function<QString(const QString &text)> problem;
    // Whether two texts of the column hold one value the form can hold, as the game reads them:
    // letters in either ASCII case, numbers as integers.
    std::function<bool(const QString &a, const QString &b)> same;
};

// One column of the spell table (spells.2da): its header name, the width the row pads it to,
// and its encoding.
struct SpellColumn
{
    const char *name;
    int width;
    ColumnEncoding encoding;
};

// The columns of the spell the form describes, in the table's order.
QList<SpellColumn> spellColumns(const Ui::RunewrightClass &form);

// What the form writes in each column now, in the table's order.
QStringList writtenColumns(const Ui::RunewrightClass &form);

// A value padded to its column's width, and always followed by at least one space: the game
// reads runs of spaces as one separator, so two touching values would merge into one.
QString cell(const QString &value, int width);

#endif // SPELLROW_H
