// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ROWREADER_H
#define ROWREADER_H

#include <QString>
#include <QStringList>

namespace Ui {
class RunewrightClass;
}

// The values of a line of spells.2da as the game reads them, or, where the text is no spell row,
// why not in one sentence.
struct RowValues
{
    QStringList values;
    QString problem;
};

RowValues splitRow(const QString &text);

// Reads a spell row into the form, every column, and returns the report of the read: which row
// it was, how many of its values the form writes back as they stand, and, column by column, what
// it writes instead and why. Text that is no spell row leaves the form as it was, and the report
// says why; read says which of the two happened.
QString readRowIntoForm(const Ui::RunewrightClass &form, const QString &text, bool *read);

#endif // ROWREADER_H
