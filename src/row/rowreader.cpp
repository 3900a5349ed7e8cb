// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rowreader.h"

#include "spellrow.h"

#include <algorithm>

namespace {

bool separates(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool endsLine(QChar c)
{
    return c == u'\n' || c == u'\r';
}

QString at(qsizetype position)
{
    return QString::number(position + 1);
}

// A value as the report shows it: in double quotes where it holds white space or nothing, and
// shortened where long.
QString shown(const QString &value)
{
    const qsizetype most = 60;
    QString text = value.size() > most ? value.left(most - 12) + u'\u2026' : value;
    if (value.isEmpty() || std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.isSpace(); }))
        text = u'"' + text + u'"';
    return value.size() > most ? text + QStringLiteral(" (") + QString::number(value.size()) + QStringLiteral(" characters)") : text;
}

// A written value as the game reads it, without the quotes that keep a name with spaces whole.
QString unquoted(const QString &text)
{
    return text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"') ? text.mid(1, text.size() - 2) : text;
}

} // namespace

RowValues splitRow(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (separates(text.at(begin)) || endsLine(text.at(begin))))
        ++begin;
    while (end > begin && (separates(text.at(end - 1)) || endsLine(text.at(end - 1))))
        --end;
    if (begin == end)
        return {{}, QStringLiteral("The Output field is empty: paste a spell's line from spells.2da into it first.")};
    if (text.mid(begin, 3).compare(QLatin1String("2DA"), Qt::CaseInsensitive) == 0
        && (end - begin == 3 || separates(text.at(begin + 3)) || endsLine(text.at(begin + 3))))
        return {{}, QStringLiteral("This is the table's first line, 2DA V2.0, not a spell row: copy the spell's own line.")};

    const qsizetype lineEnd = std::find_if(text.cbegin() + begin, text.cbegin() + end, endsLine) - text.cbegin();
    if (lineEnd < end)
        return {{}, QStringLiteral("The text goes on to another line at character ") + at(lineEnd)
                            + QStringLiteral(": paste one spell's line at a time.")};

    QStringList values;
    for (qsizetype i = begin; i < end;) {
        if (separates(text.at(i))) {
            ++i;
            continue;
        }
        const bool quoted = text.at(i) == u'"';
        qsizetype close = i;
        if (quoted) {
            close = text.indexOf(u'"', i + 1);
            if (close < 0 || close >= end)
                return {{}, QStringLiteral("A double quote opens a value at character ") + at(i) + QStringLiteral(" and nothing closes it.")};
            ++close;
        } else {
            while (close < end && !separates(text.at(close)) && text.at(close) != u'"')
                ++close;
        }
        if (close < end && !separates(text.at(close)))
            return {{}, (quoted ? QStringLiteral("A value goes on after its closing double quote at character ")
                                : QStringLiteral("A double quote stands inside a value at character "))
                                + at(close) + QStringLiteral(": a double quote may only open and close a whole value.")};
        values << text.mid(i + quoted, close - i - 2 * quoted);
        i = close;
    }
    if (values.first().compare(QLatin1String("Label"), Qt::CaseInsensitive) == 0)
        return {{}, QStringLiteral("This is the table's header line, the column names, not a spell row: copy the spell's own line.")};
    if (values.size() != 69)
        return {{}, QString::number(values.size()) + (values.size() == 1 ? QStringLiteral(" value") : QStringLiteral(" values"))
                        + QStringLiteral("; a spell row has 69: the row number, then Label to REMOVED")};
    return {values, {}};
}

QString readRowIntoForm(const Ui::RunewrightClass &form, const QString &text, bool *read)
{
    const RowValues row = splitRow(text);
    *read = row.problem.isEmpty();
    if (!*read)
        return row.problem;

    const QList<SpellColumn> columns = spellColumns(form);
    QStringList reasons;
    for (int i = 0; i < columns.size(); ++i)
        reasons << columns.at(i).encoding.read(row.values.at(i));
    // Only once every value is in: a column may be written from the fields of another.
    QStringList lost;
    QStringList renotated;
    for (int i = 0; i < columns.size(); ++i) {
        const QString &value = row.values.at(i);
        const QString written = unquoted(columns.at(i).encoding.write());
        if (written == value)
            continue;
        const QString column = QLatin1String(columns.at(i).name) + QStringLiteral(": ");
        if (reasons.at(i).isEmpty())
            renotated << column + shown(value) + QStringLiteral(" is written ") + shown(written) + u'.';
        else
            lost << column + reasons.at(i).arg(shown(value), shown(written));
    }

    const QString &label = row.values.at(1);
    QStringList report = {QStringLiteral("Row ") + shown(row.values.first())
                          + (label == QStringLiteral("****") ? QString() : QStringLiteral(" (") + shown(label) + u')') + QStringLiteral(": ")
                          + QString::number(columns.size() - lost.size() - renotated.size()) + QStringLiteral(" of ")
                          + QString::number(columns.size()) + QStringLiteral(" columns as they stand.")};
    if (!lost.isEmpty())
        report << QString() << QStringLiteral("Values the form cannot keep:") << lost;
    if (!renotated.isEmpty())
        report << QString() << QStringLiteral("The same values in another notation:") << renotated;
    return report.join(u'\n');
}
