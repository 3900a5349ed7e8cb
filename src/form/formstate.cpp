// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formstate.h"

#include <QComboBox>
#include <QMetaProperty>
#include <QWidget>

FormState::FormState(const QList<QWidget *> &pages)
{
    for (const QWidget *page : pages) {
        for (QWidget *widget : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            // The value a field edits is its user property: a spin box's value, a box's check, a
            // line's text, a list's text.
            const QMetaProperty property = widget->metaObject()->userProperty();
            if (!property.isValid())
                continue;
            const auto *list = qobject_cast<const QComboBox *>(widget);
            m_fields.append({widget, property.read(widget), list ? list->currentIndex() : -1});
        }
    }
}

void FormState::restore() const
{
    for (const Field &field : m_fields) {
        // An editable list may show a typed name over its current entry.
        if (auto *list = qobject_cast<QComboBox *>(field.widget)) {
            list->setCurrentIndex(field.entry);
            if (!list->isEditable())
                continue;
        }
        field.widget->metaObject()->userProperty().write(field.widget, field.value);
    }
}
