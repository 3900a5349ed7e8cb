// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef RUNEWRIGHT_H
#define RUNEWRIGHT_H

// Out of moc's view: moc needs nothing of the form, and autogen runs uic beside it, so whether
// uic had written the header yet would decide what moc writes.
#ifndef Q_MOC_RUN
#include "form/ui_runewright.h"
#endif

#include <QMainWindow>

class Runewright : public QMainWindow
{
    Q_OBJECT

public:
    explicit Runewright(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

public slots:
    void UpdateOutput();
    void CleanText();

private:
    Ui::RunewrightClass ui;
};

#endif // RUNEWRIGHT_H
