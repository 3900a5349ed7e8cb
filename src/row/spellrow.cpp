// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spellrow.h"

#include "form/ui_runewright.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace {

const QString empty = QStringLiteral("****");

// Numbers go out in ASCII whatever the locale the spin boxes display in.
QString number(int value)
{
    return QString::number(value);
}

QString number(const QSpinBox *box)
{
    return number(box->value());
}

// Below the lowest meaningful value the column has none.
QString numberFrom(int lowest, const QSpinBox *box)
{
    return box->value() < lowest ? empty : number(box);
}

QString flag(const QAbstractButton *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

QString flagOrEmpty(const QAbstractButton *box)
{
    return box->isChecked() ? QStringLiteral("1") : empty;
}

QString components(const QAbstractButton *verbal, const QAbstractButton *somatic)
{
    QString text;
    if (verbal->isChecked())
        text += u'v';
    if (somatic->isChecked())
        text += u's';
    return text.isEmpty() ? empty : text;
}

QString bitMask(std::initializer_list<std::pair<const QAbstractButton *, int>> weights)
{
    int mask = 0;
    for (const auto &[box, weight] : weights) {
        if (box->isChecked())
            mask += weight;
    }
    return QStringLiteral("0x") + QString::number(mask, 16).rightJustified(2, u'0');
}

// Typed text as one 2DA value can hold it: without double quotes, which it can never contain,
// and with each whitespace character (tabs and line breaks too) replaced.
QString withWhitespaceAs(QChar replacement, QString text)
{
    text.remove(u'"');
    for (QChar &c : text) {
        if (c.isSpace())
            c = replacement;
    }
    return text;
}

// A label or script name: whitespace becomes "_", so the name stays one value.
QString underscored(const QString &text)
{
    const QString value = withWhitespaceAs(u'_', text);
    return value.isEmpty() ? empty : value;
}

// A resource name as typed: kept as one value by double quotes when it holds whitespace.
QString freeText(const QString &text)
{
    const QString value = withWhitespaceAs(u' ', text);
    if (value.isEmpty())
        return empty;
    return value.contains(u' ') ? u'"' + value + u'"' : value;
}

// A list whose first entry stands for none. An editable box gives the name it shows, typed or
// chosen; a fixed one gives its current entry.
QString entryText(const QComboBox *box)
{
    if (box->isEditable()) {
        const QString shown = box->currentText();
        return shown == box->itemText(0) ? empty : freeText(shown);
    }
    return box->currentIndex() == 0 ? empty : box->currentText();
}

QString letterCode(const char *letters, const QComboBox *box)
{
    return QString(QLatin1Char(letters[box->currentIndex()]));
}

// The game's numbers for the targeting shapes, in the order the list shows them.
constexpr std::array<int, 20> targetingCodes = {0, 14, 12, 6, 7, 8, 2, 9, 10, 18,
                                                17, 19, 15, 13, 16, 4, 3, 5, 11, 1};

QString classRequirement(const QAbstractButton *spontaneous, const QSpinBox *classId)
{
    return spontaneous->isChecked() ? numberFrom(0, classId) : empty;
}

} // namespace

QString SpellColumn::cell() const
{
    return text.size() < width ? text.leftJustified(width) : text + u' ';
}

QList<SpellColumn> spellColumns(const Ui::RunewrightClass &f)
{
    return {
        {"ID", 5, number(f.ID)},
        {"Label", 48, underscored(f.Label->text())},
        {"Name", 9, number(f.Name)},
        {"IconResRef", 29, freeText(f.IconResRef->text())},
        {"School", 7, letterCode("GACDEVINT", f.School)},
        {"Range", 6, letterCode("PTSML", f.Range)},
        {"VS", 5, components(f.VS_V, f.VS_S)},
        {"MetaMagic", 10, bitMask({{f.MetaMagic_Empower, 1}, {f.MetaMagic_Extend, 2},
                                   {f.MetaMagic_Maximize, 4}, {f.MetaMagic_Quicken, 8},
                                   {f.MetaMagic_Silent, 16}, {f.MetaMagic_Still, 32},
                                   {f.MetaMagic_Persistent, 64}})},
        {"TargetType", 11, bitMask({{f.TargetType_Self, 1}, {f.TargetType_Creatures, 2},
                                    {f.TargetType_Area, 4}, {f.TargetType_Items, 8},
                                    {f.TargetType_Doors, 16}, {f.TargetType_Placeables, 32},
                                    {f.TargetType_Traps, 64}})},
        {"ImpactScript", 32, underscored(f.ImpactScript->text())},
        {"Bard", 5, numberFrom(0, f.Bard)},
        {"Cleric", 7, numberFrom(0, f.Cleric)},
        {"Druid", 6, numberFrom(0, f.Druid)},
        {"Paladin", 8, numberFrom(1, f.Paladin)},
        {"Ranger", 7, numberFrom(1, f.Ranger)},
        {"Wiz_Sorc", 9, numberFrom(0, f.Wiz_Sorc)},
        {"Warlock", 8, numberFrom(1, f.Warlock)},
        {"Innate", 7, numberFrom(0, f.Innate)},
        {"ConjTime", 9, number(f.ConjTime)},
        {"ConjAnim", 10, entryText(f.ConjAnim)},
        {"ConjVisual0", 33, entryText(f.ConjVisual0)},
        {"LowConjVisual0", 26, entryText(f.LowConjVisual0)},
        {"ConjVisual1", 16, entryText(f.ConjVisual1)},
        {"ConjVisual2", 16, entryText(f.ConjVisual2)},
        {"ConjSoundVFX", 17, entryText(f.ConjSoundVFX)},
        {"ConjSoundMale", 21, entryText(f.ConjSoundMale)},
        {"ConjSoundFemale", 21, entryText(f.ConjSoundFemale)},
        {"ConjSoundOverride", 18, entryText(f.ConjSoundOverride)},
        {"CastAnim", 10, entryText(f.CastAnim)},
        {"CastTime", 9, number(f.CastTime)},
        {"CastVisual0", 31, entryText(f.CastVisual0)},
        {"LowCastVisual0", 31, entryText(f.LowCastVisual0)},
        {"CastVisual1", 12, empty},
        {"CastVisual2", 12, empty},
        {"CastSound", 14, empty},
        {"Proj", 5, flag(f.Proj)},
        {"ProjModel", 15, entryText(f.ProjModel)},
        {"ProjSEF", 28, entryText(f.ProjSEF)},
        {"LowProjSEF", 28, entryText(f.LowProjSEF)},
        {"ProjType", 18, entryText(f.ProjType)},
        {"ProjSpwnPoint", 14, entryText(f.ProjSpwnPoint)},
        {"ProjSound", 15, entryText(f.ProjSound)},
        {"ProjOrientation", 16, entryText(f.ProjOrientation)},
        {"ImpactSEF", 34, entryText(f.ImpactSEF)},
        {"LowImpactSEF", 34, entryText(f.LowImpactSEF)},
        {"ImmunityType", 15, empty},
        {"ItemImmunity", 13, flag(f.ItemImmunity)},
        {"SubRadSpell1", 13, numberFrom(0, f.SubRadSpell1)},
        {"SubRadSpell2", 13, numberFrom(0, f.SubRadSpell2)},
        {"SubRadSpell3", 13, numberFrom(0, f.SubRadSpell3)},
        {"SubRadSpell4", 13, numberFrom(0, f.SubRadSpell4)},
        {"SubRadSpell5", 13, numberFrom(0, f.SubRadSpell5)},
        {"Category", 9, number(f.Category)},
        {"Master", 7, numberFrom(0, f.Master)},
        {"UserType", 9, number(f.UserType->currentIndex() + 1)},
        {"SpellDesc", 10, number(f.SpellDesc)},
        {"UseConcentration", 17, flag(f.UseConcentration)},
        {"SpontaneouslyCast", 18, flag(f.SpontaneouslyCast)},
        {"SpontCastClassReq", 18, classRequirement(f.SpontaneouslyCast, f.SpontCastClassReq)},
        {"AltMessage", 11, numberFrom(0, f.AltMessage)},
        {"HostileSetting", 15, flagOrEmpty(f.HostileSetting)},
        {"FeatID", 10, numberFrom(0, f.FeatID)},
        {"Counter1", 9, empty},
        {"Counter2", 9, empty},
        {"HasProjectile", 14, flag(f.HasProjectile)},
        {"AsMetaMagic", 12, empty},
        {"TargetingUI", 12, number(targetingCodes.at(f.TargetingUI->currentIndex()))},
        {"CastableOnDead", 15, flag(f.CastableOnDead)},
        {"REMOVED", 8, QStringLiteral("0")},
    };
}
