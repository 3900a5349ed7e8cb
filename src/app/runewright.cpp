// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runewright.h"

#include "accessibleform.h"
#include "cleantext.h"
#include "spellrow.h"

Runewright::Runewright(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    AccessibleForm::prepareLists();
    ui.setupUi(this);
    new AccessibleForm(ui.tabWidget, this);
}

void Runewright::UpdateOutput()
{
    ui.Output->clear();
    for (const SpellColumn &column : spellColumns(ui))
        ui.Output->insert(column.cell());
}

void Runewright::CleanText()
{
    cleanForNwn2(ui.SpellText->document());
}
