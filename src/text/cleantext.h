// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CLEANTEXT_H
#define CLEANTEXT_H

class QTextDocument;

// Prepares a pasted spell description for NWN2: removes tabs and turns the typographic
// apostrophe, double quotation marks and em dash into ASCII. Every other character, the
// paragraphs and their formats stay as they are; the change is one undo step.
void cleanForNwn2(QTextDocument *document);

#endif // CLEANTEXT_H
