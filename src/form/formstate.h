// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FORMSTATE_H
#define FORMSTATE_H

#include <QList>
#include <QVariant>

class QWidget;

// What the fields of some form pages hold at one moment, to put back later: each field's value
// and, for a list, its current entry and the text it shows.
class FormState
{
public:
    FormState() = default;
    explicit FormState(const QList<QWidget *> &pages);

    void restore() const;

private:
    struct Field
    {
        QWidget *widget;
        QVariant value;
        int entry;
    };
    QList<Field> m_fields;
};

#endif // FORMSTATE_H
