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
// shortened where long, counting characters as a reader does.
QString shown(const QString &value)
{
    const qsizetype most = 60;
    const QList<uint> characters = QStringView(value).toUcs4();
    QString text = characters.size() > most
            ? QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), most - 12) + u'\u2026'
            : value;
    if (value.isEmpty() || std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.isSpace(); }))
        text = u'"' + text + u'"';
    return characters.size() > most ? text + QStringLiteral(" (") + QString::number(characters.size()) + QStringLiteral(" characters)")
                                    : text;
}

// A written value as the game reads it, without the quotes that keep a name with spaces whole.
QString unquoted(const QString &text)
{
    return text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"') ? text.mid(1, text.size() - 2) : text;
}

// Why the form cannot hold a value, or where the column's kind gives no reason, the value alone.
QString problemOf(const ColumnEncoding &encoding, const QString &value)
{
    const QString problem = encoding.problem(value);
    return problem.isEmpty() ? shown(value) : problem.arg(shown(value));
}

// The first line of a report: which row, and how its columns fared.
QString rowLine(const RowValues &row, const QString &fate)
{
    const QString &label = row.values.at(1);
    return QStringLiteral("Row ") + shown(row.values.first())
            + (label == QStringLiteral("****") ? QString() : QStringLiteral(" (") + shown(label) + u')')
            + QStringLiteral(": ") + fate;
}

} // namespace

RowValues splitRow(const QString &text, const QList<SpellColumn> &columns)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (separates(text.at(begin)) || endsLine(text.at(begin))))
        ++begin;
    while (end > begin && (separates(text.at(end - 1)) || endsLine(text.at(end - 1))))
        --end;
    if (begin == end)
        return {{}, {}, QStringLiteral("The Output field is empty: paste a spell's line from spells.2da into it first.")};
    if (text.mid(begin, 3).compare(QLatin1String("2DA"), Qt::CaseInsensitive) == 0
        && (end - begin == 3 || separates(text.at(begin + 3)) || endsLine(text.at(begin + 3))))
        return {{}, {}, QStringLiteral("This is the table's first line, 2DA V2.0, not a spell row: copy the spell's own line.")};

    const qsizetype lineEnd = std::find_if(text.cbegin() + begin, text.cbegin() + end, endsLine) - text.cbegin();
    if (lineEnd < end)
        return {{}, {}, QStringLiteral("The text goes on to another line at character ") + at(lineEnd)
                            + QStringLiteral(": paste one spell's line at a time.")};

    RowValues row;
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
                return {{}, {}, QStringLiteral("A double quote opens a value at character ") + at(i) + QStringLiteral(" and nothing closes it.")};
            ++close;
        } else {
            while (close < end && !separates(text.at(close)) && text.at(close) != u'"')
                ++close;
        }
        if (close < end && !separates(text.at(close)))
            return {{}, {}, (quoted ? QStringLiteral("A value goes on after its closing double quote at character ")
                                : QStringLiteral("A double quote stands inside a value at character "))
                                + at(close) + QStringLiteral(": a double quote may only open and close a whole value.")};
        row.values << text.mid(i + quoted, close - i - 2 * quoted);
        row.spans << std::pair(i, close - i);
        i = close;
    }
    const QStringList &values = row.values;
    if (values.first().compare(QLatin1String(columns.at(1).name), Qt::CaseInsensitive) == 0)
        return {{}, {}, QStringLiteral("This is the table's header line, the column names, not a spell row: copy the spell's own line.")};
    if (values.size() != columns.size())
        return {{}, {}, QString::number(values.size()) + (values.size() == 1 ? QStringLiteral(" value") : QStringLiteral(" values"))
                        + QStringLiteral("; a spell row has ") + QString::number(columns.size())
                        + QStringLiteral(": the row number, then ") + QLatin1String(columns.at(1).name)
                        + QStringLiteral(" to ") + QLatin1String(columns.last().name)};
    return row;
}

QString readRowIntoForm(const Ui::RunewrightClass &form, const QString &text, bool *read)
{
    const QList<SpellColumn> columns = spellColumns(form);
    const RowValues row = splitRow(text, columns);
    *read = row.problem.isEmpty();
    if (!*read)
        return row.problem;

    for (int i = 0; i < columns.size(); ++i)
        columns.at(i).encoding.read(row.values.at(i));
    // Only once every value is in: a column may be written from the fields of another.
    QStringList lost;
    QStringList renotated;
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnEncoding &encoding = columns.at(i).encoding;
        const QString &value = row.values.at(i);
        const QString written = unquoted(encoding.write());
        if (written == value)
            continue;
        const QString column = QLatin1String(columns.at(i).name) + QStringLiteral(": ");
        if (encoding.same(value, written))
            renotated << column + shown(value) + QStringLiteral(" is written ") + shown(written) + u'.';
        else
            lost << column + problemOf(encoding, value) + QStringLiteral(", so the form writes ") + shown(written) + u'.';
    }

    QStringList report = {rowLine(row, QString::number(columns.size() - lost.size() - renotated.size()) + QStringLiteral(" of ")
                                          + QString::number(columns.size()) + QStringLiteral(" columns as they stand."))};
    if (!lost.isEmpty())
        report << QString() << QStringLiteral("Values the form cannot keep:") << lost;
    if (!renotated.isEmpty())
        report << QString() << QStringLiteral("The same values in another notation:") << renotated;
    return report.join(u'\n');
}

QString updateRow(const Ui::RunewrightClass &form, const QString &text, const QStringList &writtenAtRead, QString *report)
{
    const QList<SpellColumn> columns = spellColumns(form);
    const RowValues row = splitRow(text, columns);
    Q_ASSERT(row.problem.isEmpty() && writtenAtRead.size() == columns.size());
    QString updated = text;
    QStringList replaced;
    QStringList kept;
    for (qsizetype i = columns.size() - 1; i >= 0; --i) {
        const ColumnEncoding &encoding = columns.at(i).encoding;
        const QString &value = row.values.at(i);
        const QString written = encoding.write();
        const QString writtenValue = unquoted(written);
        const QString column = QLatin1String(columns.at(i).name) + QStringLiteral(": ");
        if (written != writtenAtRead.at(i)) {
            updated.replace(row.spans.at(i).first, row.spans.at(i).second, written);
            replaced.prepend(column + shown(value) + QStringLiteral(" is now ") + shown(writtenValue) + u'.');
        } else if (value != writtenValue && !encoding.same(value, writtenValue)) {
            kept.prepend(column + problemOf(encoding, value) + QStringLiteral("; the row keeps it."));
        }
    }

    if (replaced.isEmpty()) {
        *report = rowLine(row, QStringLiteral("no field has changed since the read, so the row is as it was read."));
        return updated;
    }
    QStringList lines = {rowLine(row, QString::number(replaced.size()) + QStringLiteral(" of ") + QString::number(columns.size())
                                          + QStringLiteral(" columns updated from the form, every other character as it was read.")),
                         QString(), QStringLiteral("Updated:")};
    lines << replaced;
    if (!kept.isEmpty())
        lines << QString() << QStringLiteral("Kept as read, though the form cannot hold them:") << kept;
    *report = lines.join(u'\n');
    return updated;
}
