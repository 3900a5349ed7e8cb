// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plainpasteedit.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace {

// The plain text that data offers: its text; else its Markdown, whose characters are text too;
// else the text of its HTML. Null where it offers none of them.
QString plainText(const QMimeData *source)
{
    const QString markdown = QStringLiteral("text/markdown");
    if (source->hasText())
        return source->text();
    if (source->hasFormat(markdown))
        return QString::fromUtf8(source->data(markdown));
    if (source->hasHtml())
        return QTextDocumentFragment::fromHtml(source->html()).toPlainText();
    return {};
}

} // namespace

bool PlainPasteEdit::canInsertFromMimeData(const QMimeData *source) const
{
    if (acceptRichText() || !source)
        return QTextEdit::canInsertFromMimeData(source);
    return !plainText(source).isNull();
}

void PlainPasteEdit::insertFromMimeData(const QMimeData *source)
{
    if (acceptRichText() || !source) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = plainText(source);
    if (text.isNull())
        return;
    QMimeData plain;
    plain.setText(text);
    QTextEdit::insertFromMimeData(&plain);
}
