// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblelist.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

namespace {

class NamedList : public QAccessibleWidget
{
public:
    explicit NamedList(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }

    // The popup's list, and the edit field of a list that can be typed into.
    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == box()->view())
            return 0;
        if (box()->isEditable() && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }
    // x and y are on the screen, as a screen reader's mouse review asks.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QLineEdit *edit = box()->lineEdit();
        if (box()->isEditable() && edit->rect().contains(edit->mapFromGlobal(QPoint(x, y))))
            return child(1);
        return nullptr;
    }
    // The edit field never has the focus itself: the list is its focus proxy.
    QAccessibleInterface *focusChild() const override { return box()->isEditable() ? child(1) : nullptr; }

    QString text(QAccessible::Text text) const override
    {
        if (text == QAccessible::Value)
            return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
        if (text == QAccessible::Name && box()->accessibleName().isEmpty())
            return box()->currentText();
        if (text == QAccessible::Accelerator)
            return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view()->isVisible();
        state.editable = box()->isEditable();
        return state;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    QString localizedActionDescription(const QString &action) const override
    {
        return actionNames().contains(action) ? QComboBox::tr("Open the combo box selection popup") : QString();
    }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }
};

} // namespace

QAccessibleInterface *namedList(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QComboBox *>(object);
    return className == QLatin1String("QComboBox") && box ? new NamedList(box) : nullptr;
}
