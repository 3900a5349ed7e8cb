// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ROWREADER_H
#define ROWREADER_H

#include "spellrow.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The values of a line of spells.2da as the game reads them, with where each stands in the text
// (its quotes included), or, where the text is no spell row, why not in one sentence.
struct RowValues
{
    QStringList values;
    QList<std::pair<qsizetype, qsizetype>> spans;
    QString problem;
};

RowValues splitRow(const QString &text, const QList<SpellColumn> &columns);

// Reads a spell row into the form, every column, and returns the report of the read: which row
// it was, how many of its values the form writes back as they stand, and, column by column, what
// it writes instead and why. Text that is no spell row leaves the form as it was, and the report
// says why; read says which of the two happened.
QString readRowIntoForm(const Ui::RunewrightClass &form, const QString &text, bool *read);

// The row text that was read, with the value of each column whose written text differs from
// writtenAtRead (what the form wrote as the read left it) replaced by what the form writes now;
// every other character stays as it was. The report names each replaced column, and each value
// kept as read that the form cannot hold.
QString updateRow(const Ui::RunewrightClass &form, const QString &text, const QStringList &writtenAtRead,
                  QString *report);

#endif // ROWREADER_H
