// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formwindow.h"
#include "rowreader.h"
#include "runewright.h"
#include "spellrow.h"
#include "testseed.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {

// How the game reads a spell row: values are separated by runs of spaces or tabs, and a value
// that starts with a double quote runs to the next one. Anything else the game would misread
// comes back as "<malformed>".
QStringList readRow(const QString &row)
{
    const QString malformed = QStringLiteral("<malformed>");
    QStringList values;
    const auto separates = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype i = 0;
    while (true) {
        while (i < row.size() && separates(row.at(i)))
            ++i;
        if (i == row.size())
            return values;
        if (row.at(i) == u'\n' || row.at(i) == u'\r')
            return values << malformed;
        if (row.at(i) == u'"') {
            const qsizetype close = row.indexOf(u'"', i + 1);
            if (close < 0 || (close + 1 < row.size() && !separates(row.at(close + 1))))
                return values << malformed;
            values << row.mid(i + 1, close - i - 1);
            i = close + 1;
        } else {
            qsizetype end = i;
            while (end < row.size() && !separates(row.at(end)))
                ++end;
            const QString value = row.mid(i, end - i);
            if (value.contains(u'"') || value.contains(u'\n') || value.contains(u'\r'))
                return values << malformed;
            values << value;
            i = end;
        }
    }
}

enum Kind {
    Number, LevelFrom0, LevelFrom1, Flag, FlagOrEmpty, Entry, Letter, EntryNumber, Targeting,
    MetaMagic, TargetType, Components, ClassRequirement, Underscored, FreeText, Fixed
};

struct Column
{
    const char *name;
    int width;
    const char *start; // the value at the form's starting state
    Kind kind;
};

// The columns of spells.2da in the order the game reads them.
const Column columns[] = {
    {"ID", 5, "0", Number},
    {"Label", 48, "****", Underscored},
    {"Name", 9, "0", Number},
    {"IconResRef", 29, "****", FreeText},
    {"School", 7, "G", Letter},
    {"Range", 6, "P", Letter},
    {"VS", 5, "vs", Components},
    {"MetaMagic", 10, "0x7f", MetaMagic},
    {"TargetType", 11, "0x01", TargetType},
    {"ImpactScript", 32, "****", Underscored},
    {"Bard", 5, "****", LevelFrom0},
    {"Cleric", 7, "****", LevelFrom0},
    {"Druid", 6, "****", LevelFrom0},
    {"Paladin", 8, "****", LevelFrom1},
    {"Ranger", 7, "****", LevelFrom1},
    {"Wiz_Sorc", 9, "****", LevelFrom0},
    {"Warlock", 8, "****", LevelFrom1},
    {"Innate", 7, "0", LevelFrom0},
    {"ConjTime", 9, "1500", Number},
    {"ConjAnim", 10, "****", Entry},
    {"ConjVisual0", 33, "****", Entry},
    {"LowConjVisual0", 26, "****", Entry},
    {"ConjVisual1", 16, "****", Entry},
    {"ConjVisual2", 16, "****", Entry},
    {"ConjSoundVFX", 17, "****", Entry},
    {"ConjSoundMale", 21, "****", Entry},
    {"ConjSoundFemale", 21, "****", Entry},
    {"ConjSoundOverride", 18, "****", Entry},
    {"CastAnim", 10, "****", Entry},
    {"CastTime", 9, "1000", Number},
    {"CastVisual0", 31, "****", Entry},
    {"LowCastVisual0", 31, "****", Entry},
    {"CastVisual1", 12, "****", Fixed},
    {"CastVisual2", 12, "****", Fixed},
    {"CastSound", 14, "****", Fixed},
    {"Proj", 5, "0", Flag},
    {"ProjModel", 15, "****", Entry},
    {"ProjSEF", 28, "****", Entry},
    {"LowProjSEF", 28, "****", Entry},
    {"ProjType", 18, "****", Entry},
    {"ProjSpwnPoint", 14, "****", Entry},
    {"ProjSound", 15, "****", Entry},
    {"ProjOrientation", 16, "****", Entry},
    {"ImpactSEF", 34, "****", Entry},
    {"LowImpactSEF", 34, "****", Entry},
    {"ImmunityType", 15, "****", Fixed},
    {"ItemImmunity", 13, "1", Flag},
    {"SubRadSpell1", 13, "****", LevelFrom0},
    {"SubRadSpell2", 13, "****", LevelFrom0},
    {"SubRadSpell3", 13, "****", LevelFrom0},
    {"SubRadSpell4", 13, "****", LevelFrom0},
    {"SubRadSpell5", 13, "****", LevelFrom0},
    {"Category", 9, "0", Number},
    {"Master", 7, "****", LevelFrom0},
    {"UserType", 9, "1", EntryNumber},
    {"SpellDesc", 10, "0", Number},
    {"UseConcentration", 17, "1", Flag},
    {"SpontaneouslyCast", 18, "0", Flag},
    {"SpontCastClassReq", 18, "****", ClassRequirement},
    {"AltMessage", 11, "****", LevelFrom0},
    {"HostileSetting", 15, "****", FlagOrEmpty},
    {"FeatID", 10, "****", LevelFrom0},
    {"Counter1", 9, "****", Fixed},
    {"Counter2", 9, "****", Fixed},
    {"HasProjectile", 14, "0", Flag},
    {"AsMetaMagic", 12, "****", Fixed},
    {"TargetingUI", 12, "0", Targeting},
    {"CastableOnDead", 15, "0", Flag},
    {"REMOVED", 8, "0", Fixed},
};
constexpr int columnCount = int(std::size(columns));

int columnIndex(const QString &name)
{
    for (int i = 0; i < columnCount; ++i) {
        if (name == QLatin1String(columns[i].name))
            return i;
    }
    qFatal("no column %s", qPrintable(name));
}

// The game's numbers for the targeting shapes, by list position.
const int targetingCodes[] = {0, 14, 12, 6, 7, 8, 2, 9, 10, 18, 17, 19, 15, 13, 16, 4, 3, 5, 11, 1};

const QList<std::pair<const char *, int>> metaMagicWeights = {
    {"MetaMagic_Empower", 1}, {"MetaMagic_Extend", 2}, {"MetaMagic_Maximize", 4},
    {"MetaMagic_Quicken", 8}, {"MetaMagic_Silent", 16}, {"MetaMagic_Still", 32},
    {"MetaMagic_Persistent", 64}};
const QList<std::pair<const char *, int>> targetTypeWeights = {
    {"TargetType_Self", 1}, {"TargetType_Creatures", 2}, {"TargetType_Area", 4},
    {"TargetType_Items", 8}, {"TargetType_Doors", 16}, {"TargetType_Placeables", 32},
    {"TargetType_Traps", 64}};

// A free text as the game reads it back: without double quotes, each whitespace character
// replaced by the given one, "****" when nothing is left.
QString readBack(const QString &text, QChar whitespace)
{
    QString value = text;
    value.remove(u'"');
    for (QChar &c : value) {
        if (c.isSpace())
            c = whitespace;
    }
    return value.isEmpty() ? QStringLiteral("****") : value;
}

// What a report says of the columns: those whose values the form cannot keep, and those it
// writes in another notation.
struct Named
{
    QStringList lost;
    QStringList renotated;
};

// The columns that a report names under a heading, up to the next blank line.
QStringList namedUnder(const QString &report, const QString &heading)
{
    QStringList named;
    const QStringList lines = report.split(u'\n');
    for (qsizetype i = lines.indexOf(heading) + 1; i > 0 && i < lines.size() && !lines.at(i).isEmpty(); ++i)
        named << lines.at(i).section(QLatin1String(": "), 0, 0);
    return named;
}

Named namedIn(const QString &report)
{
    return {namedUnder(report, QStringLiteral("Values the form cannot keep:")),
            namedUnder(report, QStringLiteral("The same values in another notation:"))};
}

// A row cut into its values and what lies around them: odd places hold the values, quotes
// included, even places the separators, the first and the last what lies before and after.
QStringList pieces(const QString &row)
{
    static const QRegularExpression value(QStringLiteral("\"[^\"]*\"|[^ \t\r\n\"]+"));
    QStringList cut;
    qsizetype end = 0;
    for (const QRegularExpressionMatch &match : value.globalMatch(row)) {
        cut << row.mid(end, match.capturedStart() - end) << match.captured();
        end = match.capturedEnd();
    }
    return cut << row.mid(end);
}

// The text read with the given columns' values replaced, every other character as it was.
QString replaced(const QString &read, const QMap<int, QString> &values)
{
    QStringList cut = pieces(read);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        cut[2 * it.key() + 1] = it.value();
    return cut.join(QString());
}

// What an update should give: the columns whose written text changed since the read replaced.
QString expectedUpdate(const QString &read, const QStringList &writtenAtRead, const QStringList &written)
{
    QMap<int, QString> changed;
    for (int i = 0; i < int(written.size()); ++i) {
        if (written.at(i) != writtenAtRead.at(i))
            changed.insert(i, written.at(i));
    }
    return replaced(read, changed);
}

// Values as one line of a 2DA holds them, with tabs between them as well as spaces.
QString joined(const QStringList &values)
{
    QString row;
    for (const QString &value : values) {
        const bool quoted = value.isEmpty() || value.contains(u' ') || value.contains(u'\t');
        row += (quoted ? u'"' + value + u'"' : value) + (row.size() % 3 ? u' ' : u'\t');
    }
    return row;
}

// Everything the form pages hold, parts of fields included.
QStringList formState(const QWidget *window)
{
    QStringList state;
    const auto *tabs = window->findChild<QTabWidget *>("tabWidget");
    for (int page = 0; page < 7; ++page) {
        for (const QWidget *widget : tabs->widget(page)->findChildren<QWidget *>()) {
            const QMetaProperty property = widget->metaObject()->userProperty();
            if (property.isValid())
                state << widget->objectName() + u'=' + property.read(widget).toString();
            if (const auto *box = qobject_cast<const QComboBox *>(widget))
                state << QString::number(box->currentIndex());
        }
    }
    return state;
}

// The game's reading of two texts alike: letters in either case, ASCII letters only.
bool sameInAscii(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        const bool letter = (x | 0x20) >= 'a' && (x | 0x20) <= 'z';
        if (x != y && !(letter && x < 0x80 && (x ^ y) == 0x20))
            return false;
    }
    return true;
}

// The game's reading of two values as one number, decimal or hexadecimal.
bool sameNumber(const QString &a, const QString &b)
{
    const auto parse = [](const QString &value, bool *ok) {
        return value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? value.mid(2).toLongLong(ok, 16)
                                                                          : value.toLongLong(ok, 10);
    };
    bool okA = false;
    bool okB = false;
    return parse(a, &okA) == parse(b, &okB) && okA && okB;
}

} // namespace

class SpellRowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shouldWriteStartingRow();
    void shouldEncodeEachColumn_data();
    void shouldEncodeEachColumn();
    void shouldWriteTheLetterInEachEntry_data();
    void shouldWriteTheLetterInEachEntry();
    void shouldKeepLongValuesApart_data();
    void shouldKeepLongValuesApart();
    void shouldWriteAsciiDigitsInAnyLocale_data();
    void shouldWriteAsciiDigitsInAnyLocale();
    void shouldWriteTheWholeRowHoweverLong();
    void shouldRewriteTheSameRowOnEachPress();
    void shouldWriteOnlyThroughTheButton();
    void shouldReadBackAsTheFormSays();

    void shouldReadWhatItWrites();
    void shouldReadEachEncodingBack_data();
    void shouldReadEachEncodingBack();
    void shouldReportRealStyleRows_data();
    void shouldReportRealStyleRows();
    void shouldRefuseTextThatIsNoRow_data();
    void shouldRefuseTextThatIsNoRow();
    void shouldKeepTheRuleOnAnyText();
    void shouldBringThePreviousFormBack();
    void shouldUpdateOnlyTheChangedColumns_data();
    void shouldUpdateOnlyTheChangedColumns();
    void shouldUpdateOnlyWhileARowIsRead();

private:
    static QList<QWidget *> fieldsOf(QWidget *window);
    static void setAtRandom(QWidget *field, QRandomGenerator &random);
    static void fillAtRandom(QWidget *window, QRandomGenerator &random);
    QString generate();
    QString readIntoForm(const QString &text);
    QString expectedValue(const Column &column) const;
    void fill(const QVariantMap &form);
    template <typename T>
    T *field(const char *name) const { return m_window->findChild<T *>(QLatin1String(name)); }

    Runewright *m_window = nullptr;
    QLineEdit *m_output = nullptr;
    QPushButton *m_generate = nullptr;
    QPushButton *m_read = nullptr;
    QPlainTextEdit *m_report = nullptr;
};

void SpellRowTest::init()
{
    m_window = new Runewright;
    m_output = m_window->findChild<QLineEdit *>("Output");
    m_generate = m_window->findChild<QPushButton *>("GenerateOutput");
    m_read = m_window->findChild<QPushButton *>("ReadRow");
    m_report = m_window->findChild<QPlainTextEdit *>("RowReport");
    QVERIFY(m_read);
    QVERIFY(m_report);
    QVERIFY(m_output);
    QVERIFY(m_generate);
}

void SpellRowTest::cleanup()
{
    delete m_window;
}

QString SpellRowTest::generate()
{
    m_generate->click();
    return m_output->text();
}

QString SpellRowTest::readIntoForm(const QString &text)
{
    m_output->setText(text);
    m_read->click();
    return m_report->toPlainText();
}

void SpellRowTest::fill(const QVariantMap &form)
{
    for (auto it = form.cbegin(); it != form.cend(); ++it) {
        QWidget *widget = field<QWidget>(qPrintable(it.key()));
        QVERIFY2(widget, qPrintable(it.key()));
        if (auto *spin = qobject_cast<QSpinBox *>(widget))
            spin->setValue(it.value().toInt());
        else if (auto *check = qobject_cast<QCheckBox *>(widget))
            check->setChecked(it.value().toBool());
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setText(it.value().toString());
        else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            if (it.value().typeId() == QMetaType::Int)
                combo->setCurrentIndex(it.value().toInt());
            else
                combo->setEditText(it.value().toString());
        }
    }
}

QString SpellRowTest::expectedValue(const Column &column) const
{
    const QString none = QStringLiteral("****");
    const char *name = column.name;
    switch (column.kind) {
    case Number:
        return QString::number(field<QSpinBox>(name)->value());
    case LevelFrom0:
    case LevelFrom1: {
        const int value = field<QSpinBox>(name)->value();
        return value < (column.kind == LevelFrom0 ? 0 : 1) ? none : QString::number(value);
    }
    case Flag:
        return field<QCheckBox>(name)->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    case FlagOrEmpty:
        return field<QCheckBox>(name)->isChecked() ? QStringLiteral("1") : none;
    case Entry: {
        const QComboBox *box = field<QComboBox>(name);
        if (!box->isEditable())
            return box->currentIndex() == 0 ? none : box->currentText();
        const QString typed = readBack(box->currentText(), u' ');
        return typed == box->itemText(0) ? none : typed;
    }
    case Letter: {
        static const QRegularExpression letterInBrackets(QStringLiteral("\\(([A-Z])\\)$"));
        return letterInBrackets.match(field<QComboBox>(name)->currentText()).captured(1);
    }
    case EntryNumber:
        return QString::number(field<QComboBox>(name)->currentIndex() + 1);
    case Targeting:
        return QString::number(targetingCodes[field<QComboBox>(name)->currentIndex()]);
    case MetaMagic:
    case TargetType: {
        int mask = 0;
        for (const auto &[box, weight] : column.kind == MetaMagic ? metaMagicWeights : targetTypeWeights)
            mask |= field<QCheckBox>(box)->isChecked() ? weight : 0;
        return QString::asprintf("0x%02x", mask);
    }
    case Components: {
        const QString vs = QLatin1String(field<QCheckBox>("VS_V")->isChecked() ? "v" : "")
                + QLatin1String(field<QCheckBox>("VS_S")->isChecked() ? "s" : "");
        return vs.isEmpty() ? none : vs;
    }
    case ClassRequirement: {
        const int classId = field<QSpinBox>("SpontCastClassReq")->value();
        return field<QCheckBox>("SpontaneouslyCast")->isChecked() && classId >= 0
                ? QString::number(classId) : none;
    }
    case Underscored:
        return readBack(field<QLineEdit>(name)->text(), u'_');
    case FreeText:
        return readBack(field<QLineEdit>(name)->text(), u' ');
    case Fixed:
        return QLatin1String(column.start);
    }
    return {};
}

void SpellRowTest::shouldWriteStartingRow()
{
    QString expected;
    for (const Column &column : columns)
        expected += QString::fromLatin1(column.start).leftJustified(column.width);

    QVERIFY(m_output->text().isEmpty());
    QCOMPARE(m_output->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(m_generate->text(), QStringLiteral("Regenerate Output"));
    const QString row = generate();
    QCOMPARE(row, expected);
    QCOMPARE(row.size(), 1028);
    QVERIFY(row.startsWith(QLatin1String("0    ****    ")));
    QVERIFY(row.endsWith(QLatin1String("0       ")));
    QCOMPARE(readRow(row).size(), 69);
}

void SpellRowTest::shouldEncodeEachColumn_data()
{
    QTest::addColumn<QVariantMap>("form");
    QTest::addColumn<QVariantMap>("values");

    const auto row = [](const QByteArray &name, const QVariantMap &form, const QVariantMap &values) {
        QTest::newRow(name.constData()) << form << values;
    };
    // Class levels: none below 0, or below 1 where a level 0 means nothing to the game.
    for (const auto &[name, maximum] : {std::pair("Bard", 6), {"Cleric", 9}, {"Druid", 9}, {"Wiz_Sorc", 9}}) {
        row(QByteArray(name) + " -1", {{name, -1}}, {{name, "****"}});
        row(QByteArray(name) + " 0", {{name, 0}}, {{name, "0"}});
        row(QByteArray(name) + " max", {{name, maximum}}, {{name, QString::number(maximum)}});
    }
    for (const char *name : {"Paladin", "Ranger", "Warlock"}) {
        row(QByteArray(name) + " -1", {{name, -1}}, {{name, "****"}});
        row(QByteArray(name) + " 0", {{name, 0}}, {{name, "****"}});
        row(QByteArray(name) + " 1", {{name, 1}}, {{name, "1"}});
        row(QByteArray(name) + " max", {{name, 4}}, {{name, "4"}});
    }
    row("Innate 0", {{"Innate", 0}}, {{"Innate", "0"}});
    row("Innate 99", {{"Innate", 99}}, {{"Innate", "99"}});

    // Numbers and the numbers that may be empty.
    row("ID", {{"ID", 4321}}, {{"ID", "4321"}});
    row("Name, eight digits", {{"Name", 99999999}}, {{"Name", "99999999"}});
    row("SpellDesc", {{"SpellDesc", 12345678}}, {{"SpellDesc", "12345678"}});
    row("Category", {{"Category", 99}}, {{"Category", "99"}});
    row("ConjTime", {{"ConjTime", 2000}}, {{"ConjTime", "2000"}});
    row("CastTime 0", {{"CastTime", 0}}, {{"CastTime", "0"}});
    row("AltMessage 0", {{"AltMessage", 0}}, {{"AltMessage", "0"}});
    row("FeatID 9999", {{"FeatID", 9999}}, {{"FeatID", "9999"}});
    row("Master 0", {{"Master", 0}}, {{"Master", "0"}});
    row("SubRadSpells", {{"SubRadSpell1", 1}, {"SubRadSpell3", 0}, {"SubRadSpell5", 9999}},
        {{"SubRadSpell1", "1"}, {"SubRadSpell2", "****"}, {"SubRadSpell3", "0"},
         {"SubRadSpell4", "****"}, {"SubRadSpell5", "9999"}});

    // Spontaneous casting: the class counts only while the box is checked.
    row("spontaneous unchecked", {{"SpontaneouslyCast", false}, {"SpontCastClassReq", 3}},
        {{"SpontaneouslyCast", "0"}, {"SpontCastClassReq", "****"}});
    row("spontaneous by class 3", {{"SpontaneouslyCast", true}, {"SpontCastClassReq", 3}},
        {{"SpontaneouslyCast", "1"}, {"SpontCastClassReq", "3"}});
    row("spontaneous by no class", {{"SpontaneouslyCast", true}, {"SpontCastClassReq", -1}},
        {{"SpontaneouslyCast", "1"}, {"SpontCastClassReq", "****"}});

    // Components and the two masks.
    row("VS none", {{"VS_V", false}, {"VS_S", false}}, {{"VS", "****"}});
    row("VS verbal", {{"VS_V", true}, {"VS_S", false}}, {{"VS", "v"}});
    row("VS somatic", {{"VS_V", false}, {"VS_S", true}}, {{"VS", "s"}});
    row("VS both", {{"VS_V", true}, {"VS_S", true}}, {{"VS", "vs"}});
    QVariantMap noMetaMagic;
    for (const auto &[box, weight] : metaMagicWeights)
        noMetaMagic[box] = false;
    row("MetaMagic none", noMetaMagic, {{"MetaMagic", "0x00"}});
    QVariantMap persistent = noMetaMagic;
    persistent["MetaMagic_Persistent"] = true;
    row("MetaMagic Persistent", persistent, {{"MetaMagic", "0x40"}});
    QVariantMap empowerMaximize = noMetaMagic;
    empowerMaximize["MetaMagic_Empower"] = true;
    empowerMaximize["MetaMagic_Maximize"] = true;
    row("MetaMagic Empower and Maximize", empowerMaximize, {{"MetaMagic", "0x05"}});
    QVariantMap quickenStill = noMetaMagic;
    quickenStill["MetaMagic_Quicken"] = true;
    quickenStill["MetaMagic_Still"] = true;
    row("MetaMagic Quicken and Still", quickenStill, {{"MetaMagic", "0x28"}});
    row("TargetType none", {{"TargetType_Self", false}}, {{"TargetType", "0x00"}});
    row("TargetType Self and Creatures", {{"TargetType_Creatures", true}}, {{"TargetType", "0x03"}});
    row("TargetType Traps only", {{"TargetType_Self", false}, {"TargetType_Traps", true}},
        {{"TargetType", "0x40"}});
    QVariantMap allTargets;
    for (const auto &[box, weight] : targetTypeWeights)
        allTargets[box] = true;
    row("TargetType all", allTargets, {{"TargetType", "0x7f"}});
    row("Area and Doors", {{"TargetType_Self", false}, {"TargetType_Area", true}, {"TargetType_Doors", true}},
        {{"TargetType", "0x14"}});

    // Flags; Hostile is never "0".
    row("Hostile unchecked", {{"HostileSetting", false}}, {{"HostileSetting", "****"}});
    row("Hostile checked", {{"HostileSetting", true}}, {{"HostileSetting", "1"}});
    row("flags flipped", {{"ItemImmunity", false}, {"UseConcentration", false}, {"Proj", true},
                          {"HasProjectile", true}, {"CastableOnDead", true}},
        {{"ItemImmunity", "0"}, {"UseConcentration", "0"}, {"Proj", "1"}, {"HasProjectile", "1"},
         {"CastableOnDead", "1"}});

    // Lists.
    for (int index = 0; index < 4; ++index)
        row(QByteArray("UserType ") + QByteArray::number(index), {{"UserType", index}},
            {{"UserType", QString::number(index + 1)}});
    for (int index = 0; index < 20; ++index)
        row(QByteArray("TargetingUI ") + QByteArray::number(index), {{"TargetingUI", index}},
            {{"TargetingUI", QString::number(targetingCodes[index])}});
    row("ConjAnim bardsong", {{"ConjAnim", 8}}, {{"ConjAnim", "bardsong"}});
    row("Silent chant", {{"ConjSoundMale", 0}, {"ConjSoundFemale", 5}},
        {{"ConjSoundMale", "****"}, {"ConjSoundFemale", "vs_chant_evoc_hf"}});
    row("eldritch conjure", {{"ConjVisual0", 21}}, {{"ConjVisual0", "sp_eldritch_conjure"}});
    row("necromancy aoe twice", {{"ImpactSEF", 8}, {"LowImpactSEF", 9}},
        {{"ImpactSEF", "sp_necromancy_aoe"}, {"LowImpactSEF", "sp_necromancy_aoe.sef"}});

    // Free texts.
    row("Label of two words", {{"Label", "Magic Missile"}}, {{"Label", "Magic_Missile"}});
    row("ImpactScript with a space", {{"ImpactScript", "nw_s0 mm"}}, {{"ImpactScript", "nw_s0_mm"}});
    row("IconResRef", {{"IconResRef", "is_magicmissile"}}, {{"IconResRef", "is_magicmissile"}});

    // What the game could not read back before: an empty free text is the empty marker...
    row("empty free texts", {{"Label", ""}, {"IconResRef", ""}, {"ImpactScript", ""}},
        {{"Label", "****"}, {"IconResRef", "****"}, {"ImpactScript", "****"}});
    // ...a name with spaces stays one value...
    row("IconResRef with a space", {{"IconResRef", "my icon"}}, {{"IconResRef", "my icon"}});
    row("IconResRef with a tab", {{"IconResRef", "my\ticon"}}, {{"IconResRef", "my icon"}});
    row("typed name with spaces", {{"ProjSEF", 3}, {"ProjModel", "big arrow"}},
        {{"ProjSEF", "sp_enchantment_travel.sef"}, {"ProjModel", "big arrow"}});
    // ...double quotes cannot be written at all...
    row("quotes in Label", {{"Label", "say \"hi\""}}, {{"Label", "say_hi"}});
    row("quotes in IconResRef", {{"IconResRef", "\"is x\""}}, {{"IconResRef", "is x"}});
    row("only quotes", {{"ImpactScript", "\"\""}, {"ConjVisual0", "\""}},
        {{"ImpactScript", "****"}, {"ConjVisual0", "****"}});
    // ...a name typed into a box still at its first entry counts...
    row("typed, not confirmed", {{"ConjVisual0", "my_conjure.sef"}}, {{"ConjVisual0", "my_conjure.sef"}});
    row("typed over an entry", {{"CastVisual0", 3}, {"CastVisual0", "mine.sef"}}, {{"CastVisual0", "mine.sef"}});
    row("typed None", {{"LowCastVisual0", "None"}}, {{"LowCastVisual0", "****"}});
    row("typed nothing", {{"ImpactSEF", ""}}, {{"ImpactSEF", "****"}});
    // ...and every whitespace in a label or script name becomes "_".
    row("tab and line break in Label", {{"Label", "a\tb\nc d"}}, {{"Label", "a_b_c_d"}});
    row("line break in ImpactScript", {{"ImpactScript", "nw\r\ns0"}}, {{"ImpactScript", "nw__s0"}});
}

void SpellRowTest::shouldEncodeEachColumn()
{
    QFETCH(QVariantMap, form);
    QFETCH(QVariantMap, values);

    fill(form);
    const QStringList read = readRow(generate());
    QCOMPARE(read.size(), 69);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        QCOMPARE(read.at(columnIndex(it.key())), it.value().toString());
    for (int i = 0; i < columnCount; ++i) {
        if (!values.contains(QLatin1String(columns[i].name)))
            QCOMPARE(read.at(i), expectedValue(columns[i]));
    }
}

void SpellRowTest::shouldWriteTheLetterInEachEntry_data()
{
    QTest::addColumn<QString>("list");
    QTest::newRow("School") << "School";
    QTest::newRow("Range") << "Range";
}

void SpellRowTest::shouldWriteTheLetterInEachEntry()
{
    QFETCH(QString, list);
    auto *box = field<QComboBox>(qPrintable(list));
    QVERIFY(box);
    for (int index = 0; index < box->count(); ++index) {
        box->setCurrentIndex(index);
        const QString entry = box->itemText(index);
        const QString written = readRow(generate()).at(columnIndex(list));
        QVERIFY2(entry.endsWith(u'(' + written + u')'), qPrintable(entry + QLatin1String(" gives ") + written));
    }
}

void SpellRowTest::shouldKeepLongValuesApart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("ID of five digits") << "ID" << "10000";
    QTest::newRow("ID of seven digits") << "ID" << "9999999";
    QTest::newRow("Label of 48") << "Label" << QString(48, u'L');
    QTest::newRow("IconResRef of 29") << "IconResRef" << QString(29, u'i');
    QTest::newRow("ImpactScript of 40") << "ImpactScript" << QString(40, u's');
    QTest::newRow("typed name of 33") << "ConjVisual0" << QString(33, u'c');
}

void SpellRowTest::shouldKeepLongValuesApart()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    fill({{name, text}});
    const QString row = generate();
    const QStringList read = readRow(row);
    QCOMPARE(read.size(), 69);
    QCOMPARE(read.at(columnIndex(name)), text);

    // Where the value fills its column, exactly one space follows it.
    int start = 0;
    for (int i = 0; i < columnIndex(name); ++i)
        start += columns[i].width;
    QCOMPARE(row.mid(start, text.size() + 2), text + u' ' + row.at(start + text.size() + 1));
    QVERIFY(row.at(start + text.size() + 1) != u' ');
    QCOMPARE(row.size(), 1028 + text.size() + 1 - columns[columnIndex(name)].width);
}

void SpellRowTest::shouldWriteAsciiDigitsInAnyLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("Persian") << "fa_IR";
    QTest::newRow("Arabic, Egypt") << "ar_EG";
}

void SpellRowTest::shouldWriteAsciiDigitsInAnyLocale()
{
    QFETCH(QString, locale);

    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    Runewright window;
    QLocale::setDefault(previous);

    auto *id = window.findChild<QSpinBox *>("ID");
    id->setValue(1234);
    window.findChild<QSpinBox *>("Name")->setValue(98765);
    window.findChild<QSpinBox *>("SubRadSpell2")->setValue(77);
    window.findChild<QSpinBox *>("Cleric")->setValue(7);
    // The spin boxes still speak the author's language.
    QVERIFY2(!id->text().contains(QLatin1String("1234")), qPrintable(id->text()));

    window.findChild<QPushButton *>("GenerateOutput")->click();
    const QString row = window.findChild<QLineEdit *>("Output")->text();
    const QStringList read = readRow(row);
    QCOMPARE(read.size(), 69);
    QCOMPARE(read.at(columnIndex("ID")), QStringLiteral("1234"));
    QCOMPARE(read.at(columnIndex("Name")), QStringLiteral("98765"));
    QCOMPARE(read.at(columnIndex("SubRadSpell2")), QStringLiteral("77"));
    QCOMPARE(read.at(columnIndex("Cleric")), QStringLiteral("7"));
    QCOMPARE(read.at(columnIndex("ConjTime")), QStringLiteral("1500"));
    for (QChar c : row)
        QVERIFY2(c.unicode() < 0x80, qPrintable(row));
}

void SpellRowTest::shouldWriteTheWholeRowHoweverLong()
{
    const QString longName = QString(30000, u'x');
    for (const char *box : {"ConjVisual0", "ProjSEF", "LowImpactSEF"})
        field<QComboBox>(box)->setEditText(longName);

    const QString row = generate();
    QVERIFY(row.size() > 90000);
    const QStringList read = readRow(row);
    QCOMPARE(read.size(), 69);
    QCOMPARE(read.at(columnIndex("LowImpactSEF")), longName);
    QCOMPARE(read.last(), QStringLiteral("0"));
}

void SpellRowTest::shouldRewriteTheSameRowOnEachPress()
{
    fill({{"Label", "Fire Storm"}, {"School", 5}, {"CastVisual0", "my fire.sef"}, {"Bard", 3}});
    QTabWidget *tabs = m_window->findChild<QTabWidget *>("tabWidget");
    tabs->setCurrentIndex(7);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));

    QTest::mouseClick(m_generate, Qt::LeftButton);
    const QString first = m_output->text();
    QCOMPARE(readRow(first).at(columnIndex("Label")), QStringLiteral("Fire_Storm"));

    m_output->setCursorPosition(10);
    QTest::keyClicks(m_output, QStringLiteral("typed by the author"));
    QTest::mouseClick(m_generate, Qt::LeftButton);
    QCOMPARE(m_output->text(), first);
    QCOMPARE(tabs->currentIndex(), 7);
    QCOMPARE(field<QLineEdit>("Label")->text(), QStringLiteral("Fire Storm"));
}

void SpellRowTest::shouldWriteOnlyThroughTheButton()
{
    QVERIFY(QObject::disconnect(m_generate, SIGNAL(clicked()), m_window, SLOT(UpdateOutput())));
    m_generate->click();
    QVERIFY(m_output->text().isEmpty());
}

// Every field of the form, spin boxes first, then check boxes, lists and names.
QList<QWidget *> SpellRowTest::fieldsOf(QWidget *window)
{
    QList<QWidget *> fields;
    for (QSpinBox *box : window->findChildren<QSpinBox *>())
        fields << box;
    for (QCheckBox *box : window->findChildren<QCheckBox *>())
        fields << box;
    for (QComboBox *box : window->findChildren<QComboBox *>())
        fields << box;
    for (const char *name : {"Label", "IconResRef", "ImpactScript"})
        fields << window->findChild<QLineEdit *>(name);
    return fields;
}

// A field at a random value, typed names included: with spaces, tabs, quotes and line breaks,
// and long enough to reach into the next column.
void SpellRowTest::setAtRandom(QWidget *field, QRandomGenerator &random)
{
    static const QString pool[] = {
        "a", "Z", "_", ".", "0", "9", " ", " ", "\t", "\"", "\n", QStringLiteral("\u00E9"),
        QStringLiteral("\u00A0"), "sp_fire", ".sef", "None"};
    const auto randomText = [&] {
        const int lengths[] = {0, 3, 12, 30, 60, 200};
        const int length = random.bounded(lengths[random.bounded(6)] + 1);
        QString text;
        while (text.size() < length)
            text += pool[random.bounded(int(std::size(pool)))];
        return text;
    };
    if (auto *box = qobject_cast<QSpinBox *>(field)) {
        const int pick = random.bounded(4);
        box->setValue(pick == 0 ? box->minimum()
                      : pick == 1 ? box->maximum()
                                  : box->minimum() + int(random.bounded(quint64(box->maximum()) - box->minimum() + 1)));
    } else if (auto *check = qobject_cast<QCheckBox *>(field)) {
        check->setChecked(random.bounded(2));
    } else if (auto *list = qobject_cast<QComboBox *>(field)) {
        list->setCurrentIndex(random.bounded(list->count()));
        if (list->isEditable() && random.bounded(2))
            list->setEditText(random.bounded(8) ? randomText() : list->itemText(0));
    } else {
        qobject_cast<QLineEdit *>(field)->setText(randomText());
    }
}

void SpellRowTest::fillAtRandom(QWidget *window, QRandomGenerator &random)
{
    for (QWidget *field : fieldsOf(window))
        setAtRandom(field, random);
}

void SpellRowTest::shouldReadBackAsTheFormSays()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    for (int round = 0; round < 1000; ++round) {
        fillAtRandom(m_window, random);
        const QString row = generate();
        const QStringList read = readRow(row);
        QStringList expected;
        for (const Column &column : columns)
            expected << expectedValue(column);

        const QByteArray context = QStringLiteral("seed %1, round %2, row: %3")
                                           .arg(seed).arg(round).arg(row).toUtf8();
        QVERIFY2(read == expected, context.constData());
        m_output->setText(QStringLiteral("edited"));
        QVERIFY2(generate() == row, context.constData());
    }
}

void SpellRowTest::shouldReadWhatItWrites()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    Runewright written;
    for (int round = 0; round < 300; ++round) {
        fillAtRandom(&written, random);
        written.findChild<QPushButton *>("GenerateOutput")->click();
        const QString row = written.findChild<QLineEdit *>("Output")->text();
        fillAtRandom(m_window, random);
        const QString report = readIntoForm(row);
        const QByteArray context = QStringLiteral("seed %1, round %2, report: %3, row: %4")
                                           .arg(seed).arg(round).arg(report, row).toUtf8();
        QVERIFY2(generate() == row, context.constData());
        QVERIFY2(report.endsWith(QLatin1String(": 69 of 69 columns as they stand.")) && !report.contains(u'\n'),
                 context.constData());
    }
}

void SpellRowTest::shouldReadEachEncodingBack_data()
{
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("line");
    // What the form writes as it was read is the round trip's to check; these are the rest. The
    // column checked is the first of the values by name; where a line is given, the report says
    // it of that column.
    const auto row = [](const char *name, const QVariantMap &values, const QString &written, const char *group = "",
                        const QString &line = {}) {
        QTest::newRow(name) << values << values.firstKey() << written << QString::fromLatin1(group) << line;
    };
    row("number with zeros", {{"Name", "0042"}}, "42", "notation");
    row("number with a sign", {{"SpellDesc", "+7"}}, "7", "notation");
    row("number of no value", {{"Category", "****"}}, "0", "lost");
    row("number above the box", {{"ConjTime", "100000000"}}, "0", "lost");
    row("number of many digits", {{"ID", "99999999999999999999999"}}, "0", "lost");
    row("number not whole", {{"CastTime", "1.5"}}, "0", "lost");
    row("number or empty, -1", {{"AltMessage", "-1"}}, "****", "lost");
    row("level 0 from 1", {{"Paladin", "0"}}, "****", "lost");
    row("level above", {{"Bard", "7"}}, "****", "lost");
    row("flag of no value", {{"UseConcentration", "****"}}, "0", "lost");
    row("flag 2", {{"HasProjectile", "2"}}, "0", "lost");
    row("components S", {{"VS", "S"}}, "s", "notation");
    row("mask in capitals", {{"MetaMagic", "0x3E"}}, "0x3e", "notation");
    row("mask of one digit", {{"MetaMagic", "0x7"}}, "0x07", "notation");
    row("mask with zeros", {{"TargetType", "0X0003"}}, "0x03", "notation");
    row("mask of invocations", {{"MetaMagic", "0xFFFF05"}}, "0x05", "lost");
    row("mask of no value", {{"MetaMagic", "****"}}, "0x00", "lost");
    row("mask in decimal", {{"TargetType", "127"}}, "0x00", "lost");
    row("letter in lower case", {{"School", "v"}}, "V", "notation");
    row("letter of no entry", {{"Range", "X"}}, "P", "lost");
    row("entry number of no entry", {{"UserType", "5"}}, "1", "lost");
    row("targeting code with a zero", {{"TargetingUI", "014"}}, "14", "notation");
    row("targeting code of no shape", {{"TargetingUI", "20"}}, "0", "lost");
    row("targeting code of no value", {{"TargetingUI", "****"}}, "0", "lost");
    row("entry in capitals", {{"CastAnim", "Touch"}}, "touch", "notation");
    row("entry that means none", {{"ConjSoundMale", "Silent"}}, "****", "lost");
    row("typed name in capitals", {{"ProjSEF", "SP_ORBACID.SEF"}}, "SP_ORBACID.SEF");
    row("typed None", {{"ProjModel", "None"}}, "****", "lost");
    row("typed name too long", {{"LowProjSEF", QString(40000, u'p')}}, QString(32767, u'p'), "lost");
    row("label too long", {{"Label", QString(49, u'L')}}, QString(48, u'L'), "lost");
    row("resource with a tab", {{"IconResRef", "is\tfire"}}, "is fire", "lost");
    row("script of nothing", {{"ImpactScript", ""}}, "****", "lost");
    row("last column", {{"REMOVED", "1"}}, "0", "lost");

    // The game's sameness: letters alike in ASCII case alone, numbers as integers.
    row("dotless i", {{"School", QStringLiteral("\u0131")}}, "G", "lost");
    row("long s", {{"Range", QStringLiteral("\u017F")}}, "P", "lost");
    row("entry with a long s", {{"CastAnim", QStringLiteral("\u017Felf")}}, "****", "lost",
        QStringLiteral("CastAnim: \u017Felf is not an entry of the list, so the form writes ****."));
    row("flag with a zero", {{"Proj", "01"}}, "1", "notation");
    row("flag with a sign", {{"CastableOnDead", "+1"}}, "1", "notation");
    row("last column with two zeros", {{"REMOVED", "00"}}, "0", "notation", "REMOVED: 00 is written 0.");
    row("spontaneous with a zero", {{"SpontCastClassReq", "5"}, {"SpontaneouslyCast", "01"}}, "5", "",
        "SpontaneouslyCast: 01 is written 1.");

    // What the report says of a value of each kind that the form cannot hold.
    row("reason of a number", {{"CastTime", "1.5"}}, "0", "lost",
        "CastTime: 1.5 is not a whole number, so the form writes 0.");
    row("reason of a level", {{"Ranger", "0"}}, "****", "lost",
        "Ranger: 0 is below 1, the lowest value this column is written with, so the form writes ****.");
    row("reason of a flag", {{"HostileSetting", "0"}}, "****", "lost",
        "HostileSetting: 0 is neither of the box's two values, 1 and ****, so the form writes ****.");
    row("reason of a letter", {{"Range", "X"}}, "P", "lost",
        "Range: X is not one of the list's letters, P, T, S, M or L, so the form writes P.");
    row("reason of an entry number", {{"UserType", "0"}}, "1", "lost",
        "UserType: 0 is not the number of an entry of the list, 1 to 4, so the form writes 1.");
    row("reason of a targeting code", {{"TargetingUI", "-3"}}, "0", "lost",
        "TargetingUI: -3 is not the number of a targeting shape of the list, 0 to 19, so the form writes 0.");
    row("reason of a mask", {{"TargetType", "0x80"}}, "0x00", "lost",
        "TargetType: 0x80 has bits above 0x7f, which the seven boxes cannot hold, so the form writes 0x00.");
    row("reason of components", {{"VS", "-"}}, "****", "lost",
        "VS: - is not one of v, s and vs, so the form writes ****.");
    row("reason of an entry", {{"ConjSoundFemale", "silent"}}, "****", "lost",
        "ConjSoundFemale: silent stands for no value in this list, so the form writes ****.");
    row("reason of a name", {{"Label", QString(47, u'e') + QStringLiteral("\U0001F525")}}, QString(47, u'e'), "lost",
        QStringLiteral("Label: ") + QString(47, u'e') + QStringLiteral("\U0001F525 does not fit the field's 48 places, in "
                                                                         "which a character such as an emoji takes two, so the form writes ")
                + QString(47, u'e') + u'.');
    row("name with half a character", {{"ImpactScript", u'a' + QString(QChar(0xD83D)) + u'b'}}, "ab", "lost");
    row("reason of a class", {{"SpontCastClassReq", "5"}, {"SpontaneouslyCast", "****"}}, "****", "lost",
        "SpontCastClassReq: 5 counts only for a spell cast spontaneously, and the SpontaneouslyCast box is not checked, "
        "so the form writes ****.");
    row("reason of a fixed column", {{"ImmunityType", "Fire"}}, "****", "lost",
        "ImmunityType: Fire stands in a column that this form does not fill in, so the form writes ****.");
}

void SpellRowTest::shouldReadEachEncodingBack()
{
    QFETCH(QVariantMap, values);
    QFETCH(QString, column);
    QFETCH(QString, written);
    QFETCH(QString, group);
    QFETCH(QString, line);

    QStringList row = readRow(generate());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        row[columnIndex(it.key())] = it.value().toString();
    const QString report = readIntoForm(joined(row));
    QCOMPARE(readRow(generate()).at(columnIndex(column)), written);
    const Named named = namedIn(report);
    QCOMPARE(named.lost.contains(column), group == QLatin1String("lost"));
    QCOMPARE(named.renotated.contains(column), group == QLatin1String("notation"));
    for (const QString &other : named.lost + named.renotated)
        QVERIFY2(values.contains(other), qPrintable(report));
    if (!line.isEmpty())
        QVERIFY2(report.split(u'\n').contains(line), qPrintable(report));
}

// Rows as real tables hold them, with what the game's own rows do that this form does not.
const QList<std::pair<const char *, QString>> realStyleRows = {
    {"tabs, CRLF, capitals",
     "55\tFireball\t721\tis_fireball\tV\tL\tvs\t0x3F\t0x3E\tNW_S0_Fireball\t****\t****\t****\t****\t"
     "****\t3\t****\t3\t1500\thand\tsp_evocation_conjure.sef\t****\t****\t****\t****\tvs_chant_evoc_hm\t"
     "vs_chant_evoc_hf\t****\tself\t1000\t****\t****\t****\t****\t****\t1\t****\tsp_fireball\t****\thoming\t"
     "hand\t****\t****\tsp_fire_aoe.sef\t****\tFire\t1\t****\t****\t****\t****\t****\t11\t****\t1\t1084\t1\t"
     "0\t0\t****\t1\t****\t****\t****\t1\t****\t2\t0\t0\r\n"},
    {"quotes, invocation bits, names of no entry",
     "  1059 \"Eldritch Blast\" 6290 \"is eldritch blast\" V S - 0xFFFF00 0x02 NW_S0_IELDBLAST **** "
     "**** **** **** **** **** 1 1 500 HAND sp_eldritch_conjure **** **** **** **** vs_chant_lock_hm "
     "vs_chant_lock_lei_hf **** ATTACK 500 **** **** **** **** **** 1 **** sp_eldritch_travel.sef "
     "sp_eldritch_travel.sef Homing rhand **** **** sp_eldritch_aoe.sef **** **** 1 **** **** **** **** "
     "**** 0 **** 3 6291 0 0 **** -1 1 66060288 **** **** 1 **** 0 0 0\n"},
    {"no values where fields need one, text in fixed columns",
     "812 **** **** **** **** **** **** **** **** **** **** **** **** **** **** **** **** **** **** "
     "**** **** **** **** **** **** **** **** **** **** **** **** **** vco_mehanelec01 **** cas_sound "
     "**** **** **** **** **** **** **** **** **** **** Mind_Affecting **** **** **** **** **** **** "
     "**** **** **** **** **** **** 0 **** 0 **** 3 **** **** **** **** **** 1"},
};

void SpellRowTest::shouldReportRealStyleRows_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("lost");
    QTest::addColumn<QStringList>("renotated");

    QTest::newRow(realStyleRows.at(0).first) << realStyleRows.at(0).second
            << "Row 55 (Fireball): 64 of 69 columns as they stand."
            << QStringList{"ProjSpwnPoint", "ImmunityType", "SpontCastClassReq"}
            << QStringList{"MetaMagic", "TargetType"};
    QTest::newRow(realStyleRows.at(1).first) << realStyleRows.at(1).second
            << "Row 1059 (\"Eldritch Blast\"): 61 of 69 columns as they stand."
            << QStringList{"Label", "VS", "MetaMagic", "ConjSoundMale", "AltMessage"}
            << QStringList{"ConjAnim", "CastAnim", "ProjType"};
    QTest::newRow(realStyleRows.at(2).first) << realStyleRows.at(2).second
            << "Row 812: 44 of 69 columns as they stand."
            << QStringList{"Name", "School", "Range", "MetaMagic", "TargetType", "Innate", "ConjTime", "CastTime",
                           "CastVisual1", "CastSound", "Proj", "ImmunityType", "ItemImmunity", "Category",
                           "UserType", "SpellDesc", "UseConcentration", "SpontaneouslyCast", "SpontCastClassReq",
                           "HostileSetting", "Counter1", "HasProjectile", "TargetingUI", "CastableOnDead", "REMOVED"}
            << QStringList{};
}

void SpellRowTest::shouldReportRealStyleRows()
{
    QFETCH(QString, row);
    QFETCH(QString, first);
    QFETCH(QStringList, lost);
    QFETCH(QStringList, renotated);

    const QString report = readIntoForm(row);
    QCOMPARE(report.section(u'\n', 0, 0), first);
    QCOMPARE(namedIn(report).lost, lost);
    QCOMPARE(namedIn(report).renotated, renotated);
}

void SpellRowTest::shouldRefuseTextThatIsNoRow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("answer");

    SpellRowTest::init();
    const QStringList row = readRow(generate());
    SpellRowTest::cleanup();
    QTest::newRow("empty") << "" << "The Output field is empty";
    QTest::newRow("blank") << " \t\r\n" << "The Output field is empty";
    QTest::newRow("52 values") << row.mid(0, 52).join(u' ')
                               << "52 values; a spell row has 69: the row number, then Label to REMOVED";
    QTest::newRow("70 values") << (row + QStringList{"0"}).join(u' ') << "70 values;";
    QTest::newRow("unclosed quote") << row.join(u' ').replace(QLatin1String(" 1500 "), QLatin1String(" \"1500 "))
                                    << "A double quote opens a value at character";
    QTest::newRow("quote in a value") << row.join(u' ').replace(QLatin1String("1500"), QLatin1String("15\"00"))
                                      << "A double quote stands inside a value at character";
    QTest::newRow("2DA line") << "2DA V2.0\r\n" << "This is the table's first line";
    QTest::newRow("header line") << "   Label Name IconResRef School Range VS MetaMagic" << "This is the table's header line";
    QTest::newRow("two rows") << row.join(u' ') + u'\n' + row.join(u' ') << "The text goes on to another line at character";
    QTest::newRow("1 MiB of words") << QString(512 * 1024, u'x').replace(QLatin1String("x"), QLatin1String("x "))
                                    << "524288 values;";
    QTest::newRow("1 MiB open quote") << u'"' + QString(1024 * 1024, u'q') << "A double quote opens a value at character 1 ";
}

void SpellRowTest::shouldRefuseTextThatIsNoRow()
{
    QFETCH(QString, text);
    QFETCH(QString, answer);

    fill({{"Label", "Mine"}, {"ProjSEF", "typed.sef"}});
    const QStringList before = formState(m_window);
    const QString report = readIntoForm(text);
    QVERIFY2(report.startsWith(answer) && !report.contains(u'\n'), qPrintable(report));
    QCOMPARE(formState(m_window), before);
    QVERIFY(!field<QPushButton>("UndoRead")->isEnabled());
}

// Mutated and random rows: either the form stays as it was and the report says why in one line,
// or the form writes every value back but in exactly the columns the report names. Now and then
// one or two fields change after a read, and the update replaces exactly the columns that the
// form now writes otherwise.
void SpellRowTest::shouldKeepTheRuleOnAnyText()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    const int rounds = qEnvironmentVariableIsSet("RUNEWRIGHT_FUZZ_ROUNDS")
            ? qEnvironmentVariableIntValue("RUNEWRIGHT_FUZZ_ROUNDS") : 100000;
    const QString pool[] = {"****", "0", "-1", "1", "7", "+5", "0x7F", "0X3e", "0xFFFF00", "vs", "S", "-",
                            "v", "HAND", "hand", "None", "Silent", "Fire", "66060288", "\"", "\"a b\"", "\t",
                            "a\"b", "\r\n", "Label", "2DA", QString(60, u'w'), QStringLiteral("\u00E9\u00A0"),
                            "sp_fire_aoe.sef", "Homing", "014", "99999999999", "01", "+1", "00", "-0",
                            QStringLiteral("\u0131"), QStringLiteral("\u017F"), QStringLiteral("\u017Felf"),
                            QStringLiteral("\U0001F525") + QString(47, u'e')};
    // The reader and the writer on the form itself, without the field that shows the row, which
    // would take most of the time.
    FormWindow form;
    const auto written = [&] {
        QString row;
        for (const SpellColumn &column : spellColumns(form.ui))
            row += cell(column.encoding.write(), column.width);
        return readRow(row);
    };
    // What the form writes now, before each round's read.
    QStringList now = written();
    QStringList base = now;
    for (int round = 0; round < rounds; ++round) {
        if (round % 16 == 0) {
            fillAtRandom(&form, random);
            base = now = written();
        }
        QStringList values = base;
        for (int change = random.bounded(1, 4); change > 0; --change) {
            const QString &value = pool[random.bounded(int(std::size(pool)))];
            const int at = random.bounded(int(values.size()));
            switch (random.bounded(8)) {
            case 0: values.removeAt(at); break;
            case 1: values.insert(at, value); break;
            case 2: values[at] = values.at(random.bounded(int(values.size()))); break;
            case 3: values[at] = values.at(at).toUpper(); break;
            default: values[at] = value;
            }
        }
        QString text;
        for (const QString &value : values) {
            const int from = random.bounded(3);
            text += value + QStringLiteral(" \t  ").mid(from, random.bounded(1, 3));
        }
        if (round % 64 == 1)
            text = text.mid(random.bounded(int(text.size()) + 1));
        bool read = false;
        const QString report = readRowIntoForm(form.ui, text, &read);
        const QByteArray context = QStringLiteral("seed %1, round %2, text: %3\nreport: %4")
                                           .arg(seed).arg(round).arg(text, report).toUtf8();
        if (!read) {
            QVERIFY2(!report.isEmpty() && !report.contains(u'\n') && written() == now, context.constData());
            continue;
        }
        // The row without the blanks and line ends that a copy brings from around it.
        static const QRegularExpression around(QStringLiteral("^[ \t\r\n]+|[ \t\r\n]+$"));
        const QStringList in = readRow(QString(text).remove(around));
        const QStringList out = now = written();
        const Named named = namedIn(report);
        QVERIFY2(in.size() == 69 && out.size() == 69, context.constData());
        for (int i = 0; i < 69; ++i) {
            const QString column = QLatin1String(columns[i].name);
            QVERIFY2((in.at(i) != out.at(i)) == (named.lost.contains(column) || named.renotated.contains(column)),
                     context.constData());
            QVERIFY2(!named.renotated.contains(column) || sameInAscii(in.at(i), out.at(i)) || sameNumber(in.at(i), out.at(i)),
                     context.constData());
        }
        if (round % 4 == 0) {
            const QStringList writtenAtRead = writtenColumns(form.ui);
            const QList<QWidget *> fields = fieldsOf(&form);
            for (int change = random.bounded(1, 3); change > 0; --change)
                setAtRandom(fields.at(random.bounded(int(fields.size()))), random);
            QString updateReport;
            const QString updated = updateRow(form.ui, text, writtenAtRead, &updateReport);
            QVERIFY2(updated == expectedUpdate(text, writtenAtRead, writtenColumns(form.ui)),
                     qPrintable(QString::fromUtf8(context) + QStringLiteral("\nupdated: ") + updated));
            now = written();
        }
    }
}

void SpellRowTest::shouldBringThePreviousFormBack()
{
    auto *undo = field<QPushButton>("UndoRead");
    QRandomGenerator random(testSeed());
    fillAtRandom(m_window, random);
    const QStringList mine = formState(m_window);
    QVERIFY(!undo->isEnabled());

    Runewright other;
    fillAtRandom(&other, random);
    other.findChild<QPushButton *>("GenerateOutput")->click();
    readIntoForm(other.findChild<QLineEdit *>("Output")->text());
    const QStringList read = formState(m_window);
    QVERIFY(read != mine);
    QVERIFY(undo->isEnabled());

    undo->click();
    QCOMPARE(formState(m_window), mine);
    undo->click();
    QCOMPARE(formState(m_window), read);
    QVERIFY(!m_report->toPlainText().isEmpty());
    generate();
    QVERIFY(m_report->toPlainText().isEmpty());
}

void SpellRowTest::shouldUpdateOnlyTheChangedColumns_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QVariantMap>("changes");
    QTest::addColumn<QStringList>("updated");

    // Checking "SpontaneouslyCast" writes the class read for it as well, where there is one.
    const QVariantMap changes = {{"CastTime", 2500}, {"SpontaneouslyCast", true}, {"HostileSetting", false}};
    const QStringList updated[] = {{"CastTime", "SpontaneouslyCast", "SpontCastClassReq", "HostileSetting"},
                                   {"CastTime", "SpontaneouslyCast", "HostileSetting"},
                                   {"CastTime", "SpontaneouslyCast", "SpontCastClassReq"}};
    for (int i = 0; i < int(realStyleRows.size()); ++i) {
        const QString name = QString::fromLatin1(realStyleRows.at(i).first);
        QTest::newRow(qPrintable(name + QStringLiteral(", unchanged"))) << realStyleRows.at(i).second << QVariantMap() << QStringList();
        QTest::newRow(qPrintable(name + QStringLiteral(", changed"))) << realStyleRows.at(i).second << changes << updated[i];
    }
    QTest::newRow("HostileSetting 0, checked") << realStyleRows.at(2).second << QVariantMap{{"HostileSetting", true}}
                                               << QStringList{"HostileSetting"};
}

void SpellRowTest::shouldUpdateOnlyTheChangedColumns()
{
    QFETCH(QString, row);
    QFETCH(QVariantMap, changes);
    QFETCH(QStringList, updated);
    auto *update = field<QPushButton>("UpdateRow");

    const QStringList lost = namedIn(readIntoForm(row)).lost;
    QVariantMap asRead;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        const QWidget *widget = field<QWidget>(qPrintable(it.key()));
        asRead.insert(it.key(), widget->metaObject()->userProperty().read(widget));
    }
    fill(changes);
    QMap<int, QString> expected;
    for (const QString &column : updated)
        expected.insert(columnIndex(column), readRow(generate()).at(columnIndex(column)));
    update->click();
    const QString report = m_report->toPlainText();
    QCOMPARE(m_output->text(), replaced(row, expected));
    QCOMPARE(namedUnder(report, QStringLiteral("Updated:")), updated);
    // An update that changes nothing says so in one line.
    QStringList kept = updated.isEmpty() ? QStringList() : lost;
    for (const QString &column : updated)
        kept.removeOne(column);
    QCOMPARE(namedUnder(report, QStringLiteral("Kept as read, though the form cannot hold them:")), kept);

    // Changed back by hand: nothing to replace.
    fill(asRead);
    update->click();
    QCOMPARE(m_output->text(), row);
    QVERIFY2(!m_report->toPlainText().contains(u'\n'), qPrintable(m_report->toPlainText()));
}

void SpellRowTest::shouldUpdateOnlyWhileARowIsRead()
{
    auto *update = field<QPushButton>("UpdateRow");
    auto *undo = field<QPushButton>("UndoRead");
    const auto updatedRow = [&] {
        update->click();
        return m_output->text();
    };
    QVERIFY(!update->isEnabled());
    QVERIFY(QMetaObject::invokeMethod(m_window, "UpdateRow"));
    QVERIFY(m_output->text().isEmpty());
    const QString first = generate();
    readIntoForm(first);
    QVERIFY(update->isEnabled());
    field<QSpinBox>("CastTime")->setValue(2500);
    const QString changed = replaced(first, {{columnIndex("CastTime"), "2500"}});

    readIntoForm(QStringLiteral("no row"));
    QVERIFY(update->isEnabled());
    generate();
    m_output->setText(QStringLiteral("edited"));
    QCOMPARE(updatedRow(), changed);

    undo->click();
    QVERIFY(!update->isEnabled());
    undo->click();
    QVERIFY(update->isEnabled());
    QCOMPARE(field<QSpinBox>("CastTime")->value(), 2500);
    QVERIFY2(m_report->toPlainText().contains(QLatin1String("change")), qPrintable(m_report->toPlainText()));
    QCOMPARE(updatedRow(), changed);

    readIntoForm(realStyleRows.at(0).second);
    QVERIFY(update->isEnabled());
    QCOMPARE(updatedRow(), realStyleRows.at(0).second);
}

QTEST_MAIN(SpellRowTest)
#include "tst_spellrow.moc"
