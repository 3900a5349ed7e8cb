// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runewright.h"

#include "accessibleform.h"
#include "cleantext.h"
#include "rowreader.h"
#include "spellrow.h"
#include "wholecharacters.h"

#include <QLineEdit>

Runewright::Runewright(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    AccessibleForm::prepareLists();
    ui.setupUi(this);
    new AccessibleForm(ui.tabWidget, this);
    auto *wholeCharacters = new WholeCharacters(this);
    for (QWidget *page : formPages()) {
        for (QLineEdit *field : page->findChildren<QLineEdit *>())
            field->setValidator(wholeCharacters);
    }
}

void Runewright::UpdateOutput()
{
    ui.RowReport->clear();
    ui.Output->clear();
    for (const SpellColumn &column : spellColumns(ui))
        ui.Output->insert(cell(column.encoding.write(), column.width));
}

QList<QWidget *> Runewright::formPages() const
{
    return {ui.tabInfo, ui.tabData, ui.tabClasses, ui.tabTarges, ui.tabAnimations, ui.tabSounds, ui.tabProjectiles};
}

void Runewright::ReadRow()
{
    FormState before(formPages());
    const QString text = ui.Output->text();
    bool read = false;
    ui.RowReport->setPlainText(readRowIntoForm(ui, text, &read));
    if (!read)
        return;
    m_otherForm = std::move(before);
    m_undone = false;
    m_readRow = text;
    m_writtenAtRead = writtenColumns(ui);
    ui.UndoRead->setText(QStringLiteral("Undo Read"));
    ui.UndoRead->setEnabled(true);
    ui.UpdateRow->setEnabled(true);
}

// Undoing keeps the form it replaces, so that the same button brings the read back.
void Runewright::UndoRead()
{
    FormState replaced(formPages());
    m_otherForm.restore();
    m_otherForm = std::move(replaced);
    m_undone = !m_undone;
    ui.UndoRead->setText(m_undone ? QStringLiteral("Redo Read") : QStringLiteral("Undo Read"));
    ui.UpdateRow->setEnabled(!m_undone);
    ui.RowReport->setPlainText(m_undone ? QStringLiteral("The form is back as it was before the read.")
                                        : QStringLiteral("The form is back as it was when Undo Read was pressed: "
                                                         "the read's values, with every change made after the read."));
}

void Runewright::UpdateRow()
{
    // Only while the form holds a read row: the slot is public, the button may be off.
    if (!ui.UpdateRow->isEnabled())
        return;
    QString report;
    ui.Output->setText(updateRow(ui, m_readRow, m_writtenAtRead, &report));
    ui.RowReport->setPlainText(report);
}

void Runewright::CleanText()
{
    cleanForNwn2(ui.SpellText->document());
}
