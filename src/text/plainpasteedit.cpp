// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plainpasteedit.h"

#include <QMimeData>

void PlainPasteEdit::insertFromMimeData(const QMimeData *source)
{
    if (acceptRichText() || !source) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    // Markdown is text too: offered alone, its characters go in as they stand.
    const QString markdown = QStringLiteral("text/markdown");
    if (!source->hasText() && !source->hasFormat(markdown))
        return;
    QMimeData plain;
    plain.setText(source->hasText() ? source->text() : QString::fromUtf8(source->data(markdown)));
    QTextEdit::insertFromMimeData(&plain);
}
