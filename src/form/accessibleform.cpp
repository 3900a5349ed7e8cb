// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibleform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusTipEvent>
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

void showTipOf(QWidget *field)
{
    // Delivered as the pointer's tips are: up to the window, which shows it in its status bar.
    QStatusTipEvent tip(field->statusTip());
    QCoreApplication::sendEvent(field, &tip);
}

// +1 for the keys that turn to the next page, -1 for those to the previous one, 0 for others.
int pageStep(const QKeyEvent *key)
{
    if (!(key->modifiers() & Qt::ControlModifier))
        return 0;
    switch (key->key()) {
    case Qt::Key_Tab:
        return key->modifiers() & Qt::ShiftModifier ? -1 : 1;
    case Qt::Key_PageDown:
        return 1;
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
        return -1;
    default:
        return 0;
    }
}

#ifdef Q_OS_UNIX
// On Unix, Qt reads a list by its current item alone, whatever its accessible name, and leaves
// the name to the relation with a label whose buddy the list is; the form's labels have no
// buddies, so a screen reader would never hear which column a list is. This is Qt's own reading
// of a list, but for the name.
class NamedComboBox : public QAccessibleWidget
{
public:
    explicit NamedComboBox(QComboBox *box)
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
    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (box()->isEditable() && box()->lineEdit()->rect().contains(x, y))
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

QAccessibleInterface *namedComboBoxes(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QComboBox *>(object);
    return className == QLatin1String("QComboBox") && box ? new NamedComboBox(box) : nullptr;
}
#endif

} // namespace

void AccessibleForm::prepareLists()
{
#ifdef Q_OS_UNIX
    // Asked before the application's own factory, which stays for everything else; a second
    // call changes nothing.
    QAccessible::installFactory(namedComboBoxes);
#endif
}

AccessibleForm::AccessibleForm(QTabWidget *tabs, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
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
            watch(field);
        }
    }
}

void AccessibleForm::watch(QWidget *field)
{
    QList<QWidget *> parts = field->findChildren<QWidget *>();
    parts.prepend(field);
    for (QWidget *part : std::as_const(parts)) {
        if (part != field && part->isWindow())
            continue;
        m_fieldOf.insert(part, field);
        part->installEventFilter(this);
    }
}

bool AccessibleForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (const int step = pageStep(static_cast<QKeyEvent *>(event))) {
            // Turned by the tab widget as it turns on Ctrl+Tab and Ctrl+Shift+Tab from elsewhere:
            // the next or previous enabled page, round the end. A list would take these keys for
            // a type-ahead search, and the tab widget itself knows neither Ctrl+PgDown nor Ctrl+PgUp.
            QKeyEvent turn(QEvent::KeyPress, step > 0 ? Qt::Key_Tab : Qt::Key_Backtab,
                           step > 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            QCoreApplication::sendEvent(m_tabs, &turn);
            return true;
        }
        break;
    case QEvent::FocusIn:
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::ActiveWindowFocusReason: // the window opening or coming back
        case Qt::PopupFocusReason: // a list's popup closing
        case Qt::MenuBarFocusReason:
            break;
        default:
            showTipOf(m_fieldOf.value(watched));
        }
        break;
    case QEvent::Enter:
        // A field with a tip shows it itself; one without clears what focus may have left.
        if (watched == m_fieldOf.value(watched) && static_cast<QWidget *>(watched)->statusTip().isEmpty())
            showTipOf(static_cast<QWidget *>(watched));
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
