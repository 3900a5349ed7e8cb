// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef RUNEWRIGHT_H
#define RUNEWRIGHT_H

// Out of moc's view: moc needs nothing of the form, and autogen runs uic beside it, so whether
// uic had written the header yet would decide what moc writes.
#ifndef Q_MOC_RUN
#include "form/ui_runewright.h"
#endif

#include "formstate.h"

#include <QMainWindow>

class Runewright : public QMainWindow
{
    Q_OBJECT

public:
    explicit Runewright(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

public slots:
    void UpdateOutput();
    void CleanText();
    void ReadRow();
    void UndoRead();
    void UpdateRow();

private:
    QList<QWidget *> formPages() const;

    Ui::RunewrightClass ui;
    // The form that "Undo Read" brings back: the one before the last read, or after it once undone.
    FormState m_otherForm;
    bool m_undone = false;
    // The row text that the last read took in, and what the form wrote as that read left it: an
    // update replaces in the one only the columns that the form now writes otherwise.
    QString m_readRow;
    QStringList m_writtenAtRead;
};

#endif // RUNEWRIGHT_H
