// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibleform.h"

#include "accessiblelist.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLabel>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {

// "School:" names School; a label may also go without the colon.
QString nameFromLabel(const QLabel *label)
{
    QString text = label->text();
    if (text.endsWith(u':'))
        text.chop(1);
    return text;
}

QString ownText(const QWidget *widget)
{
    const auto *button = qobject_cast<const QAbstractButton *>(widget);
    return button ? button->text() : QString();
}

void collectWidgets(QLayoutItem *item, QList<QWidget *> &widgets)
{
    if (QWidget *widget = item->widget()) {
        widgets.append(widget);
    } else if (QLayout *layout = item->layout()) {
        for (int i = 0; i < layout->count(); ++i)
            collectWidgets(layout->itemAt(i), widgets);
    }
}

// The names that the label of each form row gives its fields: the label alone to a field that
// has its row to itself; with the field's own text to one of several ("VS: Verbal"), or else
// the field's column ("SubRadSpell3").
QHash<QWidget *, QString> namesFromLabels(const QWidget *page)
{
    QHash<QWidget *, QString> names;
    const auto *form = qobject_cast<const QFormLayout *>(page->layout());
    if (!form)
        return names;
    for (int row = 0; row < form->rowCount(); ++row) {
        const QLayoutItem *labelItem = form->itemAt(row, QFormLayout::LabelRole);
        QLayoutItem *fieldItem = form->itemAt(row, QFormLayout::FieldRole);
        const auto *label = labelItem ? qobject_cast<const QLabel *>(labelItem->widget()) : nullptr;
        if (!label || !fieldItem)
            continue;
        QList<QWidget *> fields;
        collectWidgets(fieldItem, fields);
        const QString name = nameFromLabel(label);
        for (QWidget *field : fields) {
            if (fields.size() == 1)
                names.insert(field, name);
            else if (!ownText(field).isEmpty())
                names.insert(field, name + QStringLiteral(": ") + ownText(field));
            else
                names.insert(field, field->objectName());
        }
    }
    return names;
}

void showTipOf(QWidget *widget)
{
    // Delivered as the pointer's tips are: up to the window, which shows it in its status bar.
    QStatusTipEvent tip(widget->statusTip());
    QCoreApplication::sendEvent(widget, &tip);
}

} // namespace

void AccessibleForm::prepareLists()
{
    // Asked before the application's own factory, which stays for everything else; a second
    // call changes nothing.
    QAccessible::installFactory(namedList);
}

AccessibleForm::AccessibleForm(QTabWidget *tabs, QWidget *window)
    : QObject(window)
{
    for (int index = 0; index < tabs->count(); ++index) {
        const QWidget *page = tabs->widget(index);
        const QHash<QWidget *, QString> names = namesFromLabels(page);
        for (QWidget *field : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!(field->focusPolicy() & Qt::TabFocus))
                continue;
            // Outside a labelled row, a button or a check box is read by its own text; any other
            // field by its column.
            QString name = names.value(field);
            if (name.isEmpty() && ownText(field).isEmpty())
                name = field->objectName();
            if (!name.isEmpty())
                field->setAccessibleName(name);
            field->setAccessibleDescription(field->statusTip());
            // A field is the focus proxy of its parts (a spin box's edit, a text box's viewport),
            // so focus entering any of them reaches it.
            field->installEventFilter(this);
        }
    }
    tabs->tabBar()->installEventFilter(this);

    // The tab widget turns on Ctrl+Tab only from within its pages, and a list would take the
    // keys for a search; window shortcuts come first, wherever the focus is.
    const QList<QKeySequence> next = {Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown};
    const QList<QKeySequence> previous = {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab,
                                          Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp};
    for (const auto &[keys, step] : {std::pair(next, 1), std::pair(previous, -1)}) {
        auto *shortcut = new QShortcut(window);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, tabs, [tabs, step = step] {
            tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
        });
    }
}

bool AccessibleForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::FocusIn) {
        // Not when the window opens or comes back, nor when a list's popup closes.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            showTipOf(widget);
    } else if (event->type() == QEvent::Enter && widget->statusTip().isEmpty()) {
        // A field with a tip shows it itself; one without clears what focus may have left.
        showTipOf(widget);
    }
    return QObject::eventFilter(watched, event);
}
