#include "runewright.h"

#include "cleantext.h"

Runewright::Runewright(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    ui.setupUi(this);
}

void Runewright::CleanText()
{
    cleanForNwn2(ui.SpellText->document());
}
