// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PLAINPASTEEDIT_H
#define PLAINPASTEEDIT_H

#include <QTextEdit>

// A QTextEdit whose pastes and drops, when it accepts no rich text, insert the plain text they
// offer, character for character, and agree on what they take: Markdown alone, and the text of
// HTML alone, as some programs offer nothing else. QTextEdit itself imports a paste that offers
// text/markdown first as Markdown, whatever acceptRichText says, which drops the asterisks,
// brackets, link addresses and list markers of a description, and takes neither as a drop. No Q_OBJECT: to the toolkit, to the tests and to
// assistive technology it stays the QTextEdit it is.
class PlainPasteEdit : public QTextEdit
{
public:
    using QTextEdit::QTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

#endif // PLAINPASTEEDIT_H
