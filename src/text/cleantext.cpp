// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cleantext.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

struct Replacement
{
    QChar from;
    QLatin1String to;
};

// Applied in this order, each to every occurrence.
const Replacement replacements[] = {
    {u'\t', QLatin1String("")},
    {u'\u2019', QLatin1String("'")},
    {u'\u201C', QLatin1String("\"")},
    {u'\u201D', QLatin1String("\"")},
    {u'\u2014', QLatin1String(" -- ")},
};

QString cleaned(QString text)
{
    for (const Replacement &replacement : replacements)
        text.replace(replacement.from, replacement.to);
    return text;
}

} // namespace

void cleanForNwn2(QTextDocument *document)
{
    // Replacing in place, one run of equally formatted text at a time, keeps every other
    // character and every paragraph exactly; a round trip through HTML does not (it drops
    // empty paragraphs and loses the whole text at an object replacement character).
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // Backwards, so that the positions still to visit do not move.
    for (QTextBlock block = document->lastBlock(); block.isValid(); block = block.previous()) {
        QList<QTextFragment> fragments;
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fragments.append(it.fragment());
        for (auto fragment = fragments.crbegin(); fragment != fragments.crend(); ++fragment) {
            const QString text = fragment->text();
            const QString replacement = cleaned(text);
            if (replacement == text)
                continue;
            cursor.setPosition(fragment->position());
            cursor.setPosition(fragment->position() + fragment->length(), QTextCursor::KeepAnchor);
            cursor.insertText(replacement, fragment->charFormat());
        }
    }
    cursor.endEditBlock();
}
