// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ACCESSIBLEFORM_H
#define ACCESSIBLEFORM_H

#include <QObject>

class QTabWidget;
class QWidget;

// Makes the form usable with a screen reader and the keyboard alone, from what the form already
// says, so that an edit of the form in Designer carries over:
// - every input and button gets an accessible name from the label of its row (the column name
//   modders know), and an accessible description from its status tip;
// - keyboard focus entering a field shows its status tip in the status bar, or clears the bar
//   for a field without one, and for the tab bar, as the pointer resting on it does;
// - Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown and Ctrl+PgUp turn the pages from anywhere in the
//   window, the lists that would take them for a type-ahead search included.
class AccessibleForm : public QObject
{
    Q_OBJECT

public:
    // Lets lists be read by their names where the toolkit would read them by their values alone.
    // Call it once the application object exists and before the form's lists are made: a screen
    // reader that is already listening asks for them as they are made.
    static void prepareLists();

    // Covers the fields on every page of tabs, in window, its parent.
    AccessibleForm(QTabWidget *tabs, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif // ACCESSIBLEFORM_H
