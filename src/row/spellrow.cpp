// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spellrow.h"

#include "form/ui_runewright.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString empty = QStringLiteral("****");
const QString noEmptyValue = QStringLiteral("%1 stands for no value, which this field cannot hold");

// A column's text read as a value the form can hold, or as near as it comes, and why not.
template <typename T>
struct Parsed
{
    T value;
    QString problem;
};

// A kind of column, bound to its fields: how a text reads as a value and a value writes as a
// text, and how the fields hold the value.
template <typename T>
struct Kind
{
    std::function<Parsed<T>(const QString &text)> parse;
    std::function<QString(const T &value)> format;
    std::function<T()> get;
    std::function<void(const T &value)> set;
};

template <typename T>
ColumnEncoding bound(Kind<T> &&kind)
{
    const auto owner = std::make_shared<const Kind<T>>(std::move(kind));
    // A plain pointer keeps each function small enough to be stored without an allocation of
    // its own; the encoding owns the kind.
    const Kind<T> *k = owner.get();
    return {
        owner,
        [k] { return k->format(k->get()); },
        [k](const QString &text) { k->set(k->parse(text).value); },
        [k](const QString &text) { return k->parse(text).problem; },
        [k](const QString &a, const QString &b) {
            const Parsed<T> x = k->parse(a);
            const Parsed<T> y = k->parse(b);
            return x.problem.isEmpty() && y.problem.isEmpty() && x.value == y.value;
        },
    };
}

// Numbers go out in ASCII whatever the locale the spin boxes display in.
QString number(qint64 value)
{
    return QString::number(value);
}

// A whole number as a 2DA holds one: in base 10 an optional sign and ASCII digits, in base 16
// ASCII hexadecimal digits. Beyond the range of any field it stays beyond it, however long.
std::optional<qint64> wholeNumber(QStringView text, int base = 10)
{
    const bool signed_ = base == 10 && (text.startsWith(u'-') || text.startsWith(u'+'));
    if (text.size() == qsizetype(signed_))
        return std::nullopt;
    qint64 whole = 0;
    for (QChar c : text.mid(signed_)) {
        const char16_t u = c.unicode();
        const int digit = u >= '0' && u <= '9' ? u - '0'
                : u >= 'a' && u <= 'f'        ? u - 'a' + 10
                : u >= 'A' && u <= 'F'        ? u - 'A' + 10
                                              : base;
        if (digit >= base)
            return std::nullopt;
        whole = std::min<qint64>(whole * base + digit, Q_INT64_C(1) << 40);
    }
    return text.startsWith(u'-') ? -whole : whole;
}

bool sameNumber(const QString &a, const QString &b)
{
    const std::optional<qint64> x = wholeNumber(a);
    return x && x == wholeNumber(b);
}

// The game reads letters alike in either case, ASCII letters only.
bool sameLetters(const QString &a, const QString &b)
{
    const auto lower = [](QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c; };
    return a.size() == b.size() && std::equal(a.cbegin(), a.cend(), b.cbegin(), [&](QChar x, QChar y) { return lower(x) == lower(y); });
}

// A spin box whose column has no value below lowest: "****" there.
std::function<Parsed<int>(const QString &)> numberFrom(int lowest, QSpinBox *box)
{
    return [=](const QString &text) -> Parsed<int> {
        const int nearest = box->minimum();
        if (text == empty)
            return {nearest, nearest < lowest ? QString() : noEmptyValue};
        const std::optional<qint64> read = wholeNumber(text);
        if (!read)
            return {nearest, QStringLiteral("%1 is not a whole number")};
        if (*read > box->maximum())
            return {nearest, QStringLiteral("%1 is above the box's highest value, ") + number(box->maximum())};
        if (*read < nearest)
            return {nearest, QStringLiteral("%1 is below the box's lowest value, ") + number(nearest)};
        if (*read < lowest)
            return {int(*read), QStringLiteral("%1 is below ") + number(lowest)
                            + QStringLiteral(", the lowest value this column is written with")};
        return {int(*read), {}};
    };
}

ColumnEncoding number(QSpinBox *box, int lowest)
{
    return bound<int>({
        numberFrom(lowest, box),
        [=](int value) { return value < lowest ? empty : number(value); },
        [=] { return box->value(); },
        [=](int value) { box->setValue(value); },
    });
}

// A spin box whose column always has a number.
ColumnEncoding number(QSpinBox *box)
{
    return number(box, box->minimum());
}

// The class of a spell cast spontaneously, written only while the spell is.
ColumnEncoding classRequirement(QAbstractButton *spontaneous, QSpinBox *classId)
{
    return bound<int>({
        [=, parse = numberFrom(0, classId)](const QString &text) {
            Parsed<int> read = parse(text);
            if (read.problem.isEmpty() && text != empty && !spontaneous->isChecked())
                read.problem = QStringLiteral("%1 counts only for a spell cast spontaneously, and the SpontaneouslyCast box is not checked");
            return read;
        },
        [](int value) { return value < 0 ? empty : number(value); },
        [=] { return spontaneous->isChecked() ? classId->value() : -1; },
        [=](int value) { classId->setValue(value); },
    });
}

// A check box: "1" when checked, otherwise the text given.
ColumnEncoding flag(QAbstractButton *box, const QString &unchecked = QStringLiteral("0"))
{
    return bound<bool>({
        [=](const QString &text) -> Parsed<bool> {
            if (sameNumber(text, QStringLiteral("1")))
                return {true, {}};
            if (text == unchecked || sameNumber(text, unchecked))
                return {false, {}};
            return {false, text == empty ? noEmptyValue : QStringLiteral("%1 is neither of the box's two values, 1 and ") + unchecked};
        },
        [=](bool checked) { return checked ? QStringLiteral("1") : unchecked; },
        [=] { return box->isChecked(); },
        [=](bool checked) { box->setChecked(checked); },
    });
}

// The verbal and somatic components, as the bits 1 and 2.
ColumnEncoding components(QAbstractButton *verbal, QAbstractButton *somatic)
{
    const QStringList written = {empty, QStringLiteral("v"), QStringLiteral("s"), QStringLiteral("vs")};
    return bound<int>({
        [=](const QString &text) -> Parsed<int> {
            const auto found = std::find_if(written.cbegin(), written.cend(), [&](const QString &w) { return sameLetters(text, w); });
            if (found == written.cend())
                return {0, QStringLiteral("%1 is not one of v, s and vs")};
            return {int(found - written.cbegin()), {}};
        },
        [=](int bits) { return written.at(bits); },
        [=] { return int(verbal->isChecked()) | int(somatic->isChecked()) << 1; },
        [=](int bits) {
            verbal->setChecked(bits & 1);
            somatic->setChecked(bits & 2);
        },
    });
}

using Weights = std::vector<std::pair<QAbstractButton *, int>>;

// Seven check boxes as one hexadecimal number, the sum of the weights of those checked.
ColumnEncoding bitMask(const Weights &weights)
{
    return bound<int>({
        [](const QString &text) -> Parsed<int> {
            const bool hexadecimal = text.size() > 2 && text.at(0) == u'0' && (text.at(1) == u'x' || text.at(1) == u'X');
            const std::optional<qint64> mask = hexadecimal ? wholeNumber(QStringView(text).mid(2), 16) : std::nullopt;
            if (!mask)
                return {0, text == empty ? noEmptyValue : QStringLiteral("%1 is not a hexadecimal mask such as 0x7f")};
            // The boxes keep the bits they have; the game's warlock invocations use higher ones.
            if (*mask > 0x7f)
                return {int(*wholeNumber(QStringView(text).right(2), 16) & 0x7f),
                        QStringLiteral("%1 has bits above 0x7f, which the seven boxes cannot hold")};
            return {int(*mask), {}};
        },
        [](int mask) { return QStringLiteral("0x") + QString::number(mask, 16).rightJustified(2, u'0'); },
        [=] {
            int mask = 0;
            for (const auto &[box, weight] : weights)
                mask += box->isChecked() ? weight : 0;
            return mask;
        },
        [=](int mask) {
            for (const auto &[box, weight] : weights)
                box->setChecked(mask & weight);
        },
    });
}

// Typed text as one 2DA value can hold it: without double quotes, which it can never contain,
// and with each white space character (tabs and line breaks too) replaced. Half characters the
// fields never hold: their validator drops them.
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

// A name read into a field of maxLength UTF-16 units, cut before a whole character.
Parsed<QString> nameValue(const QString &text, int maxLength, QChar whitespaceAs)
{
    if (text == empty)
        return {QString(), {}};
    qsizetype kept = std::min<qsizetype>(text.size(), maxLength);
    if (kept < text.size() && text.at(kept).isLowSurrogate() && kept > 0 && text.at(kept - 1).isHighSurrogate())
        --kept;
    const QString value = text.left(kept);
    if (kept < text.size()) {
        qsizetype characters = text.size();
        for (qsizetype i = 1; i < text.size(); ++i)
            characters -= text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate();
        return {value, characters > maxLength
                        ? QStringLiteral("%1 is longer than the field's ") + number(maxLength) + QStringLiteral(" characters")
                        : QStringLiteral("%1 does not fit the field's ") + number(maxLength)
                                + QStringLiteral(" places, in which a character such as an emoji takes two")};
    }
    if (text.isEmpty())
        return {value, QStringLiteral("%1 is an empty value")};
    if (!QStringView(text).isValidUtf16())
        return {value, QStringLiteral("%1 holds half a character, which the form leaves out")};
    for (QChar c : text) {
        if (c.isSpace() && c != whitespaceAs)
            return {value, whitespaceAs == u' ' ? QStringLiteral("%1 holds white space other than spaces")
                                                : QStringLiteral("%1 holds white space")};
    }
    return {value, {}};
}

ColumnEncoding name(QLineEdit *edit, QChar whitespaceAs)
{
    return bound<QString>({
        [=](const QString &text) { return nameValue(text, edit->maxLength(), whitespaceAs); },
        [=](const QString &value) { return nameText(value, whitespaceAs); },
        [=] { return edit->text(); },
        [=](const QString &value) { edit->setText(value); },
    });
}

// A list whose first entry stands for none. An editable box gives the name it shows, typed or
// chosen, and takes a name of no entry as typed; a fixed one gives its current entry, and takes
// an entry's name in any ASCII letter case.
ColumnEncoding entryText(QComboBox *box)
{
    const QString none = box->itemText(0);
    return bound<QString>({
        [=](const QString &text) -> Parsed<QString> {
            if (text == empty)
                return {none, {}};
            if (box->isEditable() ? text == none : sameLetters(text, none))
                return {none, QStringLiteral("%1 stands for no value in this list")};
            if (box->isEditable())
                return nameValue(text, box->lineEdit()->maxLength(), u' ');
            for (int i = 1; i < box->count(); ++i) {
                if (sameLetters(text, box->itemText(i)))
                    return {box->itemText(i), {}};
            }
            return {none, QStringLiteral("%1 is not an entry of the list")};
        },
        // A typed name that comes out as the first entry's, once the row's rules are applied, would
        // read back as no value.
        [=](const QString &value) {
            const QString written = box->isEditable() ? nameText(value, u' ') : value;
            return written == none ? empty : written;
        },
        [=] { return box->isEditable() ? box->currentText() : box->itemText(box->currentIndex()); },
        [=](const QString &value) {
            const int index = box->findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive);
            box->setCurrentIndex(std::max(index, 0));
            if (index < 0 && box->isEditable())
                box->setEditText(value);
        },
    });
}

// A list read by position, whose entries' codes are given in their order; matches tells which
// texts the game reads as a code.
ColumnEncoding code(QComboBox *box, const QStringList &codes, bool (*matches)(const QString &, const QString &),
                    const QString &known)
{
    Q_ASSERT(codes.size() == box->count());
    return bound<int>({
        [=](const QString &text) -> Parsed<int> {
            const auto found = std::find_if(codes.cbegin(), codes.cend(), [&](const QString &c) { return matches(text, c); });
            if (found != codes.cend())
                return {int(found - codes.cbegin()), {}};
            return {0, text == empty ? noEmptyValue : QStringLiteral("%1 is not ") + known};
        },
        [=](int index) { return codes.value(index); },
        [=] { return box->currentIndex(); },
        [=](int index) { box->setCurrentIndex(index); },
    });
}

// A list whose entries end in their letter in brackets, such as "Evocation (V)".
ColumnEncoding letterCode(QComboBox *box)
{
    QStringList letters;
    for (int i = 0; i < box->count(); ++i) {
        const QString entry = box->itemText(i);
        const qsizetype open = entry.lastIndexOf(u'(');
        letters << entry.mid(open + 1, entry.size() - open - 2);
    }
    return code(box, letters, sameLetters, QStringLiteral("one of the list's letters, ") + letters.mid(0, letters.size() - 1).join(QStringLiteral(", "))
                        + QStringLiteral(" or ") + letters.last());
}

// A list of entries that the game knows by the numbers given, in the list's order.
ColumnEncoding numberCode(QComboBox *box, const QList<int> &numbers, const QString &entries)
{
    QStringList codes;
    for (int n : numbers)
        codes << number(n);
    const auto [lowest, highest] = std::minmax_element(numbers.cbegin(), numbers.cend());
    return code(box, codes, sameNumber,
                QStringLiteral("the number of ") + entries + QStringLiteral(", ") + number(*lowest)
                        + QStringLiteral(" to ") + number(*highest));
}

// The game's numbers for the targeting shapes, in the order the list shows them.
constexpr std::array<int, 20> targetingCodes = {0, 14, 12, 6, 7, 8, 2, 9, 10, 18,
                                                17, 19, 15, 13, 16, 4, 3, 5, 11, 1};

// A column this form always writes the same.
ColumnEncoding fixed(const QString &literal)
{
    return bound<QString>({
        [=](const QString &text) -> Parsed<QString> {
            if (text == literal || sameNumber(text, literal))
                return {literal, {}};
            return {literal, QStringLiteral("%1 stands in a column that this form does not fill in")};
        },
        [](const QString &value) { return value; },
        [=] { return literal; },
        [](const QString &) {},
    });
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
        {"School", 7, letterCode(f.School)},
        {"Range", 6, letterCode(f.Range)},
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
        {"Bard", 5, number(f.Bard, 0)},
        {"Cleric", 7, number(f.Cleric, 0)},
        {"Druid", 6, number(f.Druid, 0)},
        {"Paladin", 8, number(f.Paladin, 1)},
        {"Ranger", 7, number(f.Ranger, 1)},
        {"Wiz_Sorc", 9, number(f.Wiz_Sorc, 0)},
        {"Warlock", 8, number(f.Warlock, 1)},
        {"Innate", 7, number(f.Innate, 0)},
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
        {"SubRadSpell1", 13, number(f.SubRadSpell1, 0)},
        {"SubRadSpell2", 13, number(f.SubRadSpell2, 0)},
        {"SubRadSpell3", 13, number(f.SubRadSpell3, 0)},
        {"SubRadSpell4", 13, number(f.SubRadSpell4, 0)},
        {"SubRadSpell5", 13, number(f.SubRadSpell5, 0)},
        {"Category", 9, number(f.Category)},
        {"Master", 7, number(f.Master, 0)},
        {"UserType", 9, numberCode(f.UserType, entryNumbers, QStringLiteral("an entry of the list"))},
        {"SpellDesc", 10, number(f.SpellDesc)},
        {"UseConcentration", 17, flag(f.UseConcentration)},
        {"SpontaneouslyCast", 18, flag(f.SpontaneouslyCast)},
        {"SpontCastClassReq", 18, classRequirement(f.SpontaneouslyCast, f.SpontCastClassReq)},
        {"AltMessage", 11, number(f.AltMessage, 0)},
        {"HostileSetting", 15, flag(f.HostileSetting, empty)},
        {"FeatID", 10, number(f.FeatID, 0)},
        {"Counter1", 9, fixed(empty)},
        {"Counter2", 9, fixed(empty)},
        {"HasProjectile", 14, flag(f.HasProjectile)},
        {"AsMetaMagic", 12, fixed(empty)},
        {"TargetingUI", 12, numberCode(f.TargetingUI, {targetingCodes.begin(), targetingCodes.end()},
                                       QStringLiteral("a targeting shape of the list"))},
        {"CastableOnDead", 15, flag(f.CastableOnDead)},
        {"REMOVED", 8, fixed(QStringLiteral("0"))},
    };
}

QStringList writtenColumns(const Ui::RunewrightClass &form)
{
    QStringList written;
    for (const SpellColumn &column : spellColumns(form))
        written << column.encoding.write();
    return written;
}
