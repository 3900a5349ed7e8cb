// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FORMWINDOW_H
#define FORMWINDOW_H

// Out of moc's view, as in the window's own header.
#ifndef Q_MOC_RUN
#include "form/ui_runewright.h"
#endif

#include <QMainWindow>

// A main window with the slots the form connects its buttons to, and nothing else.
class BareWindow : public QMainWindow
{
    Q_OBJECT

public slots:
    void UpdateOutput() { }
    void CleanText() { }
    void ReadRow() { }
    void UndoRead() { }
    void UpdateRow() { }
};

// The form on a bare window, its fields within reach of the row's columns.
class FormWindow : public BareWindow
{
public:
    FormWindow() { ui.setupUi(this); }

    Ui::RunewrightClass ui;
};

#endif // FORMWINDOW_H
