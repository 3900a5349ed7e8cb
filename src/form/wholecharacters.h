// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WHOLECHARACTERS_H
#define WHOLECHARACTERS_H

#include <QValidator>

// Keeps half characters out of a field. A field's maximum length counts UTF-16 units, and where
// it falls inside a character beyond U+FFFF, such as an emoji, the field would keep the first
// half of it, which no file can hold.
class WholeCharacters : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &text, int &position) const override;
};

#endif // WHOLECHARACTERS_H
