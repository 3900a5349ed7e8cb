// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spellrow.h"

#include "form/ui_runewright.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString empty = QStringLiteral("****");

// What a field without an empty value says of "****". Sentences like it take the value read as
// %1 and the value written instead as %2.
const QString noEmptyValue =
        QStringLiteral("%1 stands for no value, which this field cannot hold, so the form writes %2.");

// Numbers go out in ASCII whatever the locale the spin boxes display in.
QString number(int value)
{
    return QString::number(value);
}

// A whole number as a 2DA holds one: an optional sign and decimal digits. Beyond the range of
// any field it stays beyond it, however many digits it has.
std::optional<qint64> wholeNumber(const QString &value)
{
    qsizetype i = value.startsWith(u'-') || value.startsWith(u'+') ? 1 : 0;
    if (i == value.size())
        return std::nullopt;
    qint64 number = 0;
    for (; i < value.size(); ++i) {
        if (value.at(i) < u'0' || value.at(i) > u'9')
            return std::nullopt;
        number = std::min<qint64>(number * 10 + (value.at(i).unicode() - '0'), Q_INT64_C(1) << 40);
    }
    return value.startsWith(u'-') ? -number : number;
}

// A spin box whose column has no value below lowest: "****" there.
ColumnEncoding numberFrom(int lowest, QSpinBox *box)
{
    return {
        [=] { return box->value() < lowest ? empty : number(box->value()); },
        [=](const QString &value) -> QString {
            const std::optional<qint64> read = value == empty ? std::nullopt : wholeNumber(value);
            box->setValue(read && *read >= box->minimum() && *read <= box->maximum() ? int(*read)
                                                                                      : box->minimum());
            if (value == empty)
                return box->minimum() < lowest ? QString() : noEmptyValue;
            if (!read)
                return QStringLiteral("%1 is not a whole number, so the form writes %2.");
            if (*read > box->maximum())
                return QStringLiteral("%1 is above the box's highest value, ") + number(box->maximum())
                        + QStringLiteral(", so the form writes %2.");
            if (*read < box->minimum())
                return QStringLiteral("%1 is below the box's lowest value, ") + number(box->minimum())
                        + QStringLiteral(", so the form writes %2.");
            if (*read < lowest)
                return QStringLiteral("%1 is below ") + number(lowest)
                        + QStringLiteral(", the lowest value this column is written with, so the form writes %2.");
            return {};
        },
    };
}

// A spin box whose column always has a number.
ColumnEncoding number(QSpinBox *box)
{
    return numberFrom(box->minimum(), box);
}

// A check box: "1" when checked, otherwise the text given.
ColumnEncoding flag(QAbstractButton *box, const QString &unchecked = QStringLiteral("0"))
{
    return {
        [=] { return box->isChecked() ? QStringLiteral("1") : unchecked; },
        [=](const QString &value) -> QString {
            box->setChecked(value == u'1');
            if (value == u'1' || value == unchecked)
                return {};
            return QStringLiteral("%1 is neither of the box's two values, 1 and ") + unchecked
                    + QStringLiteral(", so the form writes %2.");
        },
    };
}

ColumnEncoding components(QAbstractButton *verbal, QAbstractButton *somatic)
{
    return {
        [=] {
            QString text;
            if (verbal->isChecked())
                text += u'v';
            if (somatic->isChecked())
                text += u's';
            return text.isEmpty() ? empty : text;
        },
        [=](const QString &value) -> QString {
            const QString letters = value.toLower();
            const bool known = letters == QStringLiteral("vs") || letters == QStringLiteral("v") || letters == QStringLiteral("s") || value == empty;
            verbal->setChecked(known && letters.contains(u'v'));
            somatic->setChecked(known && letters.contains(u's'));
            return known ? QString() : QStringLiteral("%1 is not one of v, s and vs, so the form writes %2.");
        },
    };
}

using Weights = std::vector<std::pair<QAbstractButton *, int>>;

// Seven check boxes as one hexadecimal number, the sum of the weights of those checked.
ColumnEncoding bitMask(const Weights &weights)
{
    return {
        [=] {
            int mask = 0;
            for (const auto &[box, weight] : weights) {
                if (box->isChecked())
                    mask += weight;
            }
            return QStringLiteral("0x") + QString::number(mask, 16).rightJustified(2, u'0');
        },
        [=](const QString &value) -> QString {
            // The boxes keep the bits they have; the game's warlock invocations use higher ones.
            int bits = 0;
            int whole = 0; // stops counting once above 0x7f
            bool hexadecimal = value.size() > 2 && value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
            for (qsizetype i = 2; hexadecimal && i < value.size(); ++i) {
                const int digit = QStringView(value).mid(i, 1).toInt(&hexadecimal, 16);
                whole = std::min(whole * 16 + digit, 0x80);
                bits = ((bits << 4) | digit) & 0x7f;
            }
            if (!hexadecimal)
                bits = whole = 0;
            const bool above = whole > 0x7f;
            for (const auto &[box, weight] : weights)
                box->setChecked(bits & weight);
            if (value == empty)
                return noEmptyValue;
            if (!hexadecimal)
                return QStringLiteral("%1 is not a hexadecimal mask such as 0x7f, so the form writes %2.");
            if (above)
                return QStringLiteral("%1 has bits above 0x7f, which the seven boxes cannot hold, so the form writes %2.");
            return {};
        },
    };
}

// Why a text field cannot give back the value it was given, if it cannot. Every white space
// character of the value is written as whitespaceAs.
QString textReason(const QString &value, const QString &kept, int maxLength, QChar whitespaceAs)
{
    if (kept.size() < value.size())
        return QStringLiteral("%1 is longer than the field's ") + number(maxLength) + QStringLiteral(" characters, so the form writes %2.");
    if (value.isEmpty())
        return QStringLiteral("%1 is an empty value, which the form writes as %2.");
    for (QChar c : value) {
        if (c.isSpace() && c != whitespaceAs)
            return whitespaceAs == u' '
                    ? QStringLiteral("%1 holds white space other than spaces, which the form writes as spaces: %2.")
                    : QStringLiteral("%1 holds white space, which the form writes as _: %2.");
    }
    return {};
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

// A name as typed: a label or script name with each white space as "_", so that it stays one
// value; a resource name kept as one value by double quotes where it holds spaces.
QString nameText(const QString &text, QChar whitespaceAs)
{
    const QString value = withWhitespaceAs(whitespaceAs, text);
    if (value.isEmpty())
        return empty;
    return value.contains(u' ') ? u'"' + value + u'"' : value;
}

ColumnEncoding name(QLineEdit *edit, QChar whitespaceAs)
{
    return {
        [=] { return nameText(edit->text(), whitespaceAs); },
        [=](const QString &value) {
            edit->setText(value == empty ? QString() : value);
            return value == empty ? QString() : textReason(value, edit->text(), edit->maxLength(), whitespaceAs);
        },
    };
}

// A list whose first entry stands for none. An editable box gives the name it shows, typed or
// chosen, and takes a name of no entry as typed; a fixed one gives its current entry, and takes
// an entry's name in any letter case.
ColumnEncoding entryText(QComboBox *box)
{
    return {
        [=] {
            if (box->isEditable()) {
                const QString shown = box->currentText();
                return shown == box->itemText(0) ? empty : nameText(shown, u' ');
            }
            return box->currentIndex() == 0 ? empty : box->currentText();
        },
        [=](const QString &value) -> QString {
            int index = value == empty ? 0 : box->findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive);
            if (index < 0 && !box->isEditable())
                index = box->findText(value, Qt::MatchFixedString);
            box->setCurrentIndex(std::max(index, 0));
            if (value == empty || index > 0)
                return {};
            if (index == 0)
                return QStringLiteral("%1 stands for no value in this list, so the form writes %2.");
            if (!box->isEditable())
                return QStringLiteral("%1 is not an entry of the list, so the form writes %2.");
            box->setEditText(value);
            return textReason(value, box->currentText(), box->lineEdit()->maxLength(), u' ');
        },
    };
}

// A list read by position, whose entries' codes are given in their order.
ColumnEncoding code(QComboBox *box, const QStringList &codes, const QString &unknown)
{
    return {
        [=] { return codes.at(box->currentIndex()); },
        [=](const QString &value) -> QString {
            const int index = int(codes.indexOf(value.toUpper()));
            box->setCurrentIndex(std::max(index, 0));
            if (index >= 0)
                return {};
            return value == empty ? noEmptyValue : QStringLiteral("%1 is not ") + unknown + QStringLiteral(", so the form writes %2.");
        },
    };
}

ColumnEncoding letterCode(const QStringList &letters, QComboBox *box)
{
    return code(box, letters, QStringLiteral("the letter of an entry of the list"));
}

// The game's numbers for the targeting shapes, in the order the list shows them.
constexpr std::array<int, 20> targetingCodes = {0, 14, 12, 6, 7, 8, 2, 9, 10, 18,
                                                17, 19, 15, 13, 16, 4, 3, 5, 11, 1};

// A list of numbered entries, or one of given numbers; any notation of the number selects it.
ColumnEncoding numberCode(QComboBox *box, const QList<int> &numbers, const QString &unknown)
{
    QStringList codes;
    for (int n : numbers)
        codes << number(n);
    ColumnEncoding encoding = code(box, codes, unknown);
    encoding.read = [=, read = encoding.read](const QString &value) {
        const std::optional<qint64> n = wholeNumber(value);
        return read(n && numbers.contains(*n) ? number(int(*n)) : value);
    };
    return encoding;
}

ColumnEncoding classRequirement(QAbstractButton *spontaneous, QSpinBox *classId)
{
    ColumnEncoding encoding = numberFrom(0, classId);
    encoding.write = [=, write = encoding.write] { return spontaneous->isChecked() ? write() : empty; };
    encoding.read = [=, read = encoding.read](const QString &value) {
        const QString reason = read(value);
        if (reason.isEmpty() && classId->value() >= 0 && !spontaneous->isChecked())
            return QStringLiteral("%1 counts only for a spell cast spontaneously, and SpontaneouslyCast is 0, so the form writes %2.");
        return reason;
    };
    return encoding;
}

// A column this form always writes the same.
ColumnEncoding fixed(const QString &text)
{
    return {
        [=] { return text; },
        [=](const QString &value) {
            return value == text ? QString() : QStringLiteral("%1. This form always writes %2.");
        },
    };
}

} // namespace

QString cell(const QString &value, int width)
{
    return value.size() < width ? value.leftJustified(width) : value + u' ';
}

QList<SpellColumn> spellColumns(const Ui::RunewrightClass &f)
{
    QList<int> entryNumbers;
    for (int entry = 1; entry <= f.UserType->count(); ++entry)
        entryNumbers << entry;
    return {
        {"ID", 5, number(f.ID)},
        {"Label", 48, name(f.Label, u'_')},
        {"Name", 9, number(f.Name)},
        {"IconResRef", 29, name(f.IconResRef, u' ')},
        {"School", 7, letterCode({"G", "A", "C", "D", "E", "V", "I", "N", "T"}, f.School)},
        {"Range", 6, letterCode({"P", "T", "S", "M", "L"}, f.Range)},
        {"VS", 5, components(f.VS_V, f.VS_S)},
        {"MetaMagic", 10, bitMask({{f.MetaMagic_Empower, 1}, {f.MetaMagic_Extend, 2},
                                   {f.MetaMagic_Maximize, 4}, {f.MetaMagic_Quicken, 8},
                                   {f.MetaMagic_Silent, 16}, {f.MetaMagic_Still, 32},
                                   {f.MetaMagic_Persistent, 64}})},
        {"TargetType", 11, bitMask({{f.TargetType_Self, 1}, {f.TargetType_Creatures, 2},
                                    {f.TargetType_Area, 4}, {f.TargetType_Items, 8},
                                    {f.TargetType_Doors, 16}, {f.TargetType_Placeables, 32},
                                    {f.TargetType_Traps, 64}})},
        {"ImpactScript", 32, name(f.ImpactScript, u'_')},
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
        {"CastVisual1", 12, fixed(empty)},
        {"CastVisual2", 12, fixed(empty)},
        {"CastSound", 14, fixed(empty)},
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
        {"ImmunityType", 15, fixed(empty)},
        {"ItemImmunity", 13, flag(f.ItemImmunity)},
        {"SubRadSpell1", 13, numberFrom(0, f.SubRadSpell1)},
        {"SubRadSpell2", 13, numberFrom(0, f.SubRadSpell2)},
        {"SubRadSpell3", 13, numberFrom(0, f.SubRadSpell3)},
        {"SubRadSpell4", 13, numberFrom(0, f.SubRadSpell4)},
        {"SubRadSpell5", 13, numberFrom(0, f.SubRadSpell5)},
        {"Category", 9, number(f.Category)},
        {"Master", 7, numberFrom(0, f.Master)},
        {"UserType", 9, numberCode(f.UserType, entryNumbers, QStringLiteral("the number of an entry of the list, 1 to 4"))},
        {"SpellDesc", 10, number(f.SpellDesc)},
        {"UseConcentration", 17, flag(f.UseConcentration)},
        {"SpontaneouslyCast", 18, flag(f.SpontaneouslyCast)},
        {"SpontCastClassReq", 18, classRequirement(f.SpontaneouslyCast, f.SpontCastClassReq)},
        {"AltMessage", 11, numberFrom(0, f.AltMessage)},
        {"HostileSetting", 15, flag(f.HostileSetting, empty)},
        {"FeatID", 10, numberFrom(0, f.FeatID)},
        {"Counter1", 9, fixed(empty)},
        {"Counter2", 9, fixed(empty)},
        {"HasProjectile", 14, flag(f.HasProjectile)},
        {"AsMetaMagic", 12, fixed(empty)},
        {"TargetingUI", 12, numberCode(f.TargetingUI, {targetingCodes.begin(), targetingCodes.end()},
                                       QStringLiteral("the number of a targeting shape of the list, 0 to 19"))},
        {"CastableOnDead", 15, flag(f.CastableOnDead)},
        {"REMOVED", 8, fixed(QStringLiteral("0"))},
    };
}
