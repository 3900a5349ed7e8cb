// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// screenshots OUTPUT_DIR
//
// Opens the window, fills in an example spell, and saves a picture of each page, then one of
// the Output page after "Regenerate Output", and one after "Read Row into Form".

#include "runewright.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>

#include <cstdio>

namespace {

void fillExampleSpell(QWidget *window)
{
    const auto spin = [window](const char *name, int value) {
        window->findChild<QSpinBox *>(name)->setValue(value);
    };
    const auto check = [window](const char *name, bool checked) {
        window->findChild<QCheckBox *>(name)->setChecked(checked);
    };
    const auto choose = [window](const char *name, const char *entry) {
        auto *box = window->findChild<QComboBox *>(name);
        box->setCurrentIndex(box->findText(QString::fromUtf8(entry)));
    };
    const auto type = [window](const char *name, const char *text) {
        window->findChild<QLineEdit *>(name)->setText(QString::fromUtf8(text));
    };

    spin("ID", 1450);
    type("Label", "Searing Rune");
    spin("Name", 16810450);
    spin("SpellDesc", 16810451);
    type("IconResRef", "is_searingrune");
    type("ImpactScript", "sp_searingrune");
    spin("Category", 11);

    choose("School", "Evocation (V)");
    choose("Range", "Medium (M)");
    check("MetaMagic_Persistent", false);
    check("UseConcentration", true);

    spin("Cleric", 3);
    spin("Druid", 3);
    spin("Wiz_Sorc", 2);
    spin("Innate", 2);

    check("HostileSetting", true);
    check("TargetType_Self", false);
    check("TargetType_Creatures", true);
    check("TargetType_Area", true);
    choose("TargetingUI", "Circle, Small (3.048m)");

    choose("ConjAnim", "hand");
    choose("ConjVisual0", "sp_fire_conjure.sef");
    choose("CastAnim", "area");
    choose("CastVisual0", "sp_evocation_conjure.sef");
    choose("ConjSoundMale", "vs_chant_evoc_hm");
    choose("ConjSoundFemale", "vs_chant_evoc_hf");

    check("HasProjectile", true);
    check("Proj", true);
    choose("ProjSEF", "sp_fire_travel.sef");
    choose("ProjType", "homing");
    choose("ProjSpwnPoint", "rhand");
    choose("ImpactSEF", "sp_fire_aoe.sef");

    window->findChild<QTextEdit *>("SpellText")->setPlainText(QString::fromUtf8(
            "Searing Rune\n"
            "Caster Level(s): Cleric 3, Druid 3, Wizard/Sorcerer 2\n"
            "Range: Medium\n\n"
            "You trace a rune of fire in the air \xe2\x80\x94 it flies to its target and bursts "
            "in a small circle, dealing 1d6 points of fire damage per caster level "
            "(maximum 10d6) to every creature caught in the blast. The rune\xe2\x80\x99s "
            "\xe2\x80\x9c" "searing" "\xe2\x80\x9d light ignores fire resistance of 5 or less."));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    Runewright window;
    fillExampleSpell(&window);
    window.show();
    // The pointer away from the window, whose fields would show their tips under it.
    QCursor::setPos(window.frameGeometry().bottomRight() + QPoint(100, 100));
    auto *tabs = window.findChild<QTabWidget *>("tabWidget");
    const auto save = [&](const QString &name) {
        QApplication::processEvents();
        const QString path = output.filePath(name + QStringLiteral(".png"));
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
            return false;
        }
        return true;
    };

    for (int index = 0; index < tabs->count(); ++index) {
        tabs->setCurrentIndex(index);
        const QString name = QStringLiteral("%1-%2").arg(index + 1, 2, 10, QLatin1Char('0')).arg(tabs->tabText(index).toLower());
        if (!save(name))
            return 1;
    }

    tabs->setCurrentIndex(7);
    window.findChild<QPushButton *>("GenerateOutput")->click();
    // Show the row from its start, as after pressing Home in the field.
    auto *row = window.findChild<QLineEdit *>("Output");
    row->setCursorPosition(0);
    if (!save(QStringLiteral("10-output-regenerated")))
        return 1;

    // A spell row as the game's table holds it, read back into the form.
    row->setText(QStringLiteral(
            "55\tFireball\t721\tis_fireball\tV\tL\tvs\t0x3F\t0x3E\tNW_S0_Fireball\t****\t****\t****\t"
            "****\t****\t3\t****\t3\t1500\thand\tsp_evocation_conjure.sef\t****\t****\t****\t****\t"
            "vs_chant_evoc_hm\tvs_chant_evoc_hf\t****\tself\t1000\t****\t****\t****\t****\t****\t1\t****\t"
            "sp_fireball\t****\thoming\thand\t****\t****\tsp_fire_aoe.sef\t****\tFire\t1\t****\t****\t****\t"
            "****\t****\t11\t****\t1\t1084\t1\t0\t0\t****\t1\t****\t****\t****\t1\t****\t2\t0\t0"));
    row->setCursorPosition(0);
    window.findChild<QPushButton *>("ReadRow")->click();
    if (!save(QStringLiteral("12-read-row")))
        return 1;

    // Two changes, and the row read with only those columns replaced.
    window.findChild<QSpinBox *>("CastTime")->setValue(2500);
    window.findChild<QComboBox *>("Range")->setCurrentText(QStringLiteral("Medium (M)"));
    window.findChild<QPushButton *>("UpdateRow")->click();
    row->setCursorPosition(0);
    return save(QStringLiteral("13-update-row")) ? 0 : 1;
}
