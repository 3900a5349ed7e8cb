// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PLAINPASTEEDIT_H
#define PLAINPASTEEDIT_H

#include <QTextEdit>

// A QTextEdit whose pastes and drops, when it accepts no rich text, insert the plain text they
// offer, character for character. QTextEdit itself imports a paste that offers text/markdown
// first as Markdown, whatever acceptRichText says, which drops the asterisks, brackets, link
// addresses and list markers of a description. No Q_OBJECT: to the toolkit, to the tests and to
// assistive technology it stays the QTextEdit it is.
class PlainPasteEdit : public QTextEdit
{
public:
    using QTextEdit::QTextEdit;

protected:
    void insertFromMimeData(const QMimeData *source) override;
};

#endif // PLAINPASTEEDIT_H
