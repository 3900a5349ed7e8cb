// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runewright.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QGuiApplication>

namespace {

enum Page { Info, Data, Classes, Targets, Animations, Sounds, Projectiles };

// The value of every value widget on the form, by object name.
QVariantMap formValues(const QWidget *window)
{
    QVariantMap values;
    for (const QSpinBox *box : window->findChildren<QSpinBox *>())
        values[box->objectName()] = box->value();
    for (const QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        if (!edit->objectName().startsWith(QLatin1String("qt_")))
            values[edit->objectName()] = edit->text();
    }
    for (const QCheckBox *box : window->findChildren<QCheckBox *>())
        values[box->objectName()] = box->isChecked();
    for (const QComboBox *box : window->findChildren<QComboBox *>())
        values[box->objectName()] = QStringList{box->currentText(), QString::number(box->count())};
    for (const QWidget *widget : window->findChildren<QWidget *>())
        values[widget->objectName() + QLatin1String(" enabled")] = widget->isEnabled();
    return values;
}

// The inputs and buttons of a page, in creation order: what Tab reaches and a screen reader reads.
QList<QWidget *> inputsOf(const QWidget *page)
{
    QList<QWidget *> inputs;
    for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() & Qt::TabFocus)
            inputs << child;
    }
    return inputs;
}

QString accessibleText(QWidget *widget, QAccessible::Text text)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(text) : QStringLiteral("(not accessible)");
}

// The child of page that holds widget: a spin box rather than its line edit.
QWidget *pageChildOf(QWidget *widget, const QWidget *page)
{
    while (widget && widget->parentWidget() != page)
        widget = widget->parentWidget();
    return widget;
}

} // namespace

class FormTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shouldGiveEveryLabelTheSameShape();
    void shouldSpaceEveryLayoutAlike();
    void shouldExplainFieldsOnlyByStatusTips();
    void shouldGrowFieldsOnlyWhereAsked_data();
    void shouldGrowFieldsOnlyWhereAsked();

    void shouldStartWith_data();
    void shouldStartWith();
    void shouldKeepSpinBoxesInRange_data();
    void shouldKeepSpinBoxesInRange();
    void shouldKeepAtMost48Characters_data();
    void shouldKeepAtMost48Characters();
    void shouldOfferFixedLists_data();
    void shouldOfferFixedLists();
    void shouldGiveSharedListsToEachBoxAlike_data();
    void shouldGiveSharedListsToEachBoxAlike();
    void shouldRunChantListsInParallel();

    void shouldShowRowsByIndex_data();
    void shouldShowRowsByIndex();
    void shouldLayOutTargetsAsGrid_data();
    void shouldLayOutTargetsAsGrid();
    void shouldTabInCreationOrder_data();
    void shouldTabInCreationOrder();
    void shouldTabThroughTheReadButtonsAfterARead();
    void shouldKeepWholeCharactersAtTheFieldsEnd_data();
    void shouldKeepWholeCharactersAtTheFieldsEnd();
    void shouldShowStatusTipWhenHovered_data();
    void shouldShowStatusTipWhenHovered();

    void shouldNameAndDescribeEveryInput_data();
    void shouldNameAndDescribeEveryInput();
    void shouldNameEveryInputOnce();
    void shouldOpenWithAnEmptyStatusBar();
    void shouldShowTipWhenFocusEnters_data();
    void shouldShowTipWhenFocusEnters();
    void shouldShowTipOfTheLatestOfPointerAndFocus();
    void shouldSwitchPagesFromEveryField_data();
    void shouldSwitchPagesFromEveryField();
    void shouldStillSearchListsByTypedLetter();
    void shouldClearTheTipWhenFocusReachesTheTabBar();
    void shouldFindTheEditFieldOfAListAtItsPlaceOnScreen();

    void shouldChangeNothingButTheFieldEdited();
    void shouldKeepPagesInPlaceWhenEnlarged();

private:
    template <typename T>
    T *field(const QString &name) const { return m_window->findChild<T *>(name); }
    QWidget *page(int index) const { return m_tabs->widget(index); }
    QWidget *showPage(int index);
    static QStringList tabbedThrough(QWidget *page, const QString &first, int count);

    Runewright *m_window = nullptr;
    QTabWidget *m_tabs = nullptr;
};

void FormTest::init()
{
    m_window = new Runewright;
    m_tabs = m_window->findChild<QTabWidget *>("tabWidget");
    QVERIFY(m_tabs);
}

void FormTest::cleanup()
{
    delete m_window;
}

QWidget *FormTest::showPage(int index)
{
    m_tabs->setCurrentIndex(index);
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window))
        return nullptr;
    return page(index);
}

void FormTest::shouldGiveEveryLabelTheSameShape()
{
    const QList<QLabel *> labels = m_window->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 53);
    for (const QLabel *label : labels) {
        const QByteArray name = label->objectName().toUtf8();
        QVERIFY2(label->objectName().startsWith(QLatin1String("label_")), name);
        QVERIFY2(label->minimumSize() == QSize(100, 0), name);
        QVERIFY2(label->alignment() == (Qt::AlignRight | Qt::AlignVCenter), name);
        QVERIFY2(label->statusTip().isEmpty(), name);
        QVERIFY2(label->toolTip().isEmpty(), name);
        QVERIFY2(!label->buddy(), name);
        QVERIFY2(!label->text().isEmpty(), name);

        auto *form = qobject_cast<QFormLayout *>(label->parentWidget()->layout());
        QVERIFY2(form, name);
        int row = -1;
        QFormLayout::ItemRole role;
        form->getWidgetPosition(const_cast<QLabel *>(label), &row, &role);
        QVERIFY2(role == QFormLayout::LabelRole, name);
    }
}

void FormTest::shouldSpaceEveryLayoutAlike()
{
    const QList<QLayout *> layouts = m_window->centralWidget()->findChildren<QLayout *>();
    QVERIFY(layouts.size() > 10);
    for (const QLayout *layout : layouts) {
        QWidget *owner = layout->parentWidget();
        if (owner != m_window->centralWidget() && m_tabs->indexOf(owner) < 0)
            continue; // inside a toolkit widget, such as a combo box's popup
        const QByteArray name = layout->objectName().toUtf8();
        QVERIFY2(!layout->objectName().isEmpty(), name);
        QVERIFY2(layout->spacing() == 6, name);
        if (auto *form = qobject_cast<const QFormLayout *>(layout))
            QVERIFY2(form->horizontalSpacing() == 6 && form->verticalSpacing() == 6, name);
        if (auto *grid = qobject_cast<const QGridLayout *>(layout))
            QVERIFY2(grid->horizontalSpacing() == 6 && grid->verticalSpacing() == 6, name);

        // A page's own layout and the central one are set 11 in; nested ones sit flush.
        const bool topLevel = layout->parentWidget() && layout->parentWidget()->layout() == layout;
        const QMargins expected = topLevel ? QMargins(11, 11, 11, 11) : QMargins();
        QVERIFY2(layout->contentsMargins() == expected, name);

        for (int i = 0; i < layout->count(); ++i) {
            QSpacerItem *spacer = layout->itemAt(i)->spacerItem();
            if (!spacer)
                continue;
            const QSizePolicy policy = spacer->sizePolicy();
            if (spacer->expandingDirections() & Qt::Horizontal) {
                QVERIFY2(spacer->sizeHint() == QSize(40, 20), name);
                QVERIFY2(policy.horizontalPolicy() == QSizePolicy::Expanding, name);
                QVERIFY2(policy.verticalPolicy() == QSizePolicy::Minimum, name);
            } else {
                QVERIFY2(spacer->sizeHint().width() == 20, name);
                QVERIFY2(policy.horizontalPolicy() == QSizePolicy::Minimum, name);
                QVERIFY2(policy.verticalPolicy() == QSizePolicy::Expanding, name);
            }
        }
    }
}

void FormTest::shouldExplainFieldsOnlyByStatusTips()
{
    for (const QWidget *widget : m_window->findChildren<QWidget *>()) {
        QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(widget->whatsThis().isEmpty(), qPrintable(widget->objectName()));
    }
}

void FormTest::shouldGrowFieldsOnlyWhereAsked_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("grows");

    QTest::newRow("Info") << int(Info) << true;
    QTest::newRow("Data") << int(Data) << false;
    QTest::newRow("Classes") << int(Classes) << false;
    QTest::newRow("Animations") << int(Animations) << true;
    QTest::newRow("Sounds") << int(Sounds) << true;
    QTest::newRow("Projectiles") << int(Projectiles) << false;
}

void FormTest::shouldGrowFieldsOnlyWhereAsked()
{
    QFETCH(int, page);
    QFETCH(bool, grows);

    auto *form = qobject_cast<QFormLayout *>(this->page(page)->layout());
    QVERIFY(form);
    QWidget styled;
    const QFormLayout::FieldGrowthPolicy styleDefault = (new QFormLayout(&styled))->fieldGrowthPolicy();
    QCOMPARE(form->fieldGrowthPolicy(), grows ? QFormLayout::AllNonFixedFieldsGrow : styleDefault);
}

void FormTest::shouldStartWith_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");

    const auto row = [](const char *name, const char *property, const QVariant &value) {
        QTest::addRow("%s %s", name, property) << name << QByteArray(property) << value;
    };
    // Info
    row("ID", "value", 0);
    row("Label", "text", QString());
    row("Name", "value", 0);
    row("SpellDesc", "value", 0);
    row("AltMessage", "value", -1);
    row("IconResRef", "text", QString());
    row("ImpactScript", "text", QString());
    row("FeatID", "value", -1);
    row("Category", "value", 0);
    row("UserType", "currentText", QStringLiteral("Spell"));
    row("ItemImmunity", "checked", true);
    row("ItemImmunity", "text", QString());
    // Data
    row("School", "currentText", QStringLiteral("General (G)"));
    row("Range", "currentText", QStringLiteral("Personal (P)"));
    for (const char *box : {"VS_V", "VS_S", "MetaMagic_Silent", "MetaMagic_Still", "MetaMagic_Empower",
                            "MetaMagic_Maximize", "MetaMagic_Quicken", "MetaMagic_Extend",
                            "MetaMagic_Persistent", "UseConcentration"})
        row(box, "checked", true);
    row("VS_V", "text", QStringLiteral("Verbal"));
    row("MetaMagic_Persistent", "text", QStringLiteral("Persistent"));
    row("UseConcentration", "text", QString());
    row("ConjTime", "value", 1500);
    row("CastTime", "value", 1000);
    for (const char *box : {"Master", "SubRadSpell1", "SubRadSpell2", "SubRadSpell3", "SubRadSpell4",
                            "SubRadSpell5"})
        row(box, "value", -1);
    // Classes
    for (const char *box : {"Bard", "Cleric", "Druid", "Paladin", "Ranger", "Wiz_Sorc", "Warlock"})
        row(box, "value", -1);
    row("Innate", "value", 0);
    row("SpontaneouslyCast", "checked", false);
    row("SpontaneouslyCast", "text", QString());
    row("SpontCastClassReq", "value", -1);
    // Targets
    row("TargetType_Self", "checked", true);
    for (const char *box : {"HostileSetting", "TargetType_Creatures", "TargetType_Items",
                            "TargetType_Doors", "TargetType_Placeables", "TargetType_Traps",
                            "TargetType_Area", "CastableOnDead"})
        row(box, "checked", false);
    row("TargetingUI", "currentText", QStringLiteral("Point (2m)"));
    // Animations, Sounds and Projectiles: every list shows its first item, which stands for none.
    for (const char *box : {"ConjAnim", "ConjVisual0", "LowConjVisual0", "ConjVisual1", "ConjVisual2",
                            "CastAnim", "CastVisual0", "LowCastVisual0", "ConjSoundOverride",
                            "ConjSoundVFX", "ProjModel", "ProjSEF", "LowProjSEF", "ProjType",
                            "ProjSpwnPoint", "ProjSound", "ProjOrientation", "ImpactSEF", "LowImpactSEF"})
        row(box, "currentText", QStringLiteral("None"));
    row("ConjSoundMale", "currentText", QStringLiteral("Silent"));
    row("ConjSoundFemale", "currentText", QStringLiteral("Silent"));
    for (const char *box : {"HasProjectile", "Proj"}) {
        row(box, "checked", false);
        row(box, "text", QString());
    }
}

void FormTest::shouldStartWith()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);

    QObject *object = field<QWidget>(name);
    QVERIFY(object);
    QCOMPARE(object->property(property.constData()), value);
    if (auto *box = qobject_cast<QComboBox *>(object))
        QCOMPARE(box->currentIndex(), 0);
}

void FormTest::shouldKeepSpinBoxesInRange_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("step");

    QTest::newRow("ID") << "ID" << 0 << 9999999 << 1;
    QTest::newRow("Name") << "Name" << 0 << 99999999 << 1;
    QTest::newRow("SpellDesc") << "SpellDesc" << 0 << 99999999 << 1;
    QTest::newRow("AltMessage") << "AltMessage" << -1 << 99999999 << 1;
    QTest::newRow("FeatID") << "FeatID" << -1 << 2147483647 << 1;
    QTest::newRow("Category") << "Category" << 0 << 99 << 1;
    QTest::newRow("ConjTime") << "ConjTime" << 0 << 99999999 << 500;
    QTest::newRow("CastTime") << "CastTime" << 0 << 99999999 << 500;
    QTest::newRow("Master") << "Master" << -1 << 9999 << 1;
    for (const char *box : {"SubRadSpell1", "SubRadSpell2", "SubRadSpell3", "SubRadSpell4", "SubRadSpell5"})
        QTest::newRow(box) << box << -1 << 9999 << 1;
    QTest::newRow("Bard") << "Bard" << -1 << 6 << 1;
    QTest::newRow("Cleric") << "Cleric" << -1 << 9 << 1;
    QTest::newRow("Druid") << "Druid" << -1 << 9 << 1;
    QTest::newRow("Paladin") << "Paladin" << -1 << 4 << 1;
    QTest::newRow("Ranger") << "Ranger" << -1 << 4 << 1;
    QTest::newRow("Wiz_Sorc") << "Wiz_Sorc" << -1 << 9 << 1;
    QTest::newRow("Warlock") << "Warlock" << -1 << 4 << 1;
    QTest::newRow("Innate") << "Innate" << 0 << 99 << 1;
    QTest::newRow("SpontCastClassReq") << "SpontCastClassReq" << -1 << 9999 << 1;
}

void FormTest::shouldKeepSpinBoxesInRange()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, step);

    auto *box = field<QSpinBox>(name);
    QVERIFY(box);
    QVERIFY(box->specialValueText().isEmpty());

    box->setValue(minimum);
    box->stepDown();
    QCOMPARE(box->value(), minimum);
    box->stepUp();
    QCOMPARE(box->value(), minimum + step);

    box->setValue(maximum);
    QCOMPARE(box->value(), maximum);
    box->stepUp();
    QCOMPARE(box->value(), maximum);

    // Typing past either end: the extra keys are refused.
    for (const QString &typed : {QString::number(maximum) + u'9', QString::number(minimum - 1)}) {
        box->setValue(0);
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Enter);
        QVERIFY2(box->value() >= minimum && box->value() <= maximum, qPrintable(typed));
    }
    box->selectAll();
    QTest::keyClicks(box, QString::number(maximum));
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(box->value(), maximum);
}

void FormTest::shouldKeepAtMost48Characters_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Label") << "Label";
    QTest::newRow("IconResRef") << "IconResRef";
    QTest::newRow("ImpactScript") << "ImpactScript";
}

void FormTest::shouldKeepAtMost48Characters()
{
    QFETCH(QString, name);
    auto *edit = field<QLineEdit>(name);
    QVERIFY(edit);
    const QString typed = QStringLiteral("spell name with spaces ").repeated(3);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), typed.left(48));
    edit->clear();
    edit->insert(typed);
    QCOMPARE(edit->text(), typed.left(48));
}

void FormTest::shouldOfferFixedLists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("index");

    const auto row = [](const char *name, bool editable, int count, const char *item, int index) {
        QTest::addRow("%s %s", name, item) << name << editable << count << item << index;
    };
    row("UserType", false, 4, "Special", 3);
    row("School", false, 9, "Transmutation (T)", 8);
    row("Range", false, 5, "Long (L)", 4);
    row("TargetingUI", false, 20, "Rectangle (10m x 2m)", 19);
    row("TargetingUI", false, 20, "Circle, Gargantuan (5.24)", 7);
    row("TargetingUI", false, 20, "Circle, Vast (36.m5)", 13);
    row("ConjAnim", false, 9, "bardsong", 8);
    row("ConjVisual0", true, 22, "sp_eldritch_conjure", 21);
    row("LowConjVisual0", true, 2, "sp_magic_conjure.sef", 1);
    row("ConjVisual1", false, 7, "vco_smhanodd01", 6);
    row("ConjVisual2", false, 3, "sco_lgupnatr01", 2);
    row("CastAnim", false, 11, "up", 10);
    row("CastVisual0", true, 22, "sp_eldritch_conjure", 21);
    row("LowCastVisual0", true, 22, "sp_eldritch_conjure", 21);
    row("ConjSoundMale", false, 13, "vs_chant_lock_lei_hm", 12);
    row("ConjSoundFemale", false, 13, "vs_chant_lock_lei_hf", 12);
    row("ConjSoundOverride", false, 13, "vampiricfeast", 8);
    row("ConjSoundOverride", false, 13, "I4", 12);
    row("ConjSoundVFX", false, 8, "sco_lgsprelec01", 7);
    row("ProjModel", true, 6, "missingobject", 5);
    row("ProjSEF", true, 38, "sp_transmutation_travel", 7);
    row("ProjSEF", true, 38, "sp_bless_proj", 15);
    row("ProjSEF", true, 38, "sp_fireball", 18);
    row("ProjSEF", true, 38, "sp_orbAcid.sef", 26);
    row("LowProjSEF", true, 38, "fx_shard_attack.sef", 37);
    row("ProjType", false, 11, "loworbit", 10);
    row("ProjSpwnPoint", false, 11, "rhand", 10);
    row("ProjSound", false, 4, "spr_los", 3);
    row("ProjOrientation", false, 2, "path", 1);
    row("ImpactSEF", true, 24, "sp_necromancy_aoe", 8);
    row("ImpactSEF", true, 24, "sp_necromancy_aoe.sef", 9);
    row("ImpactSEF", true, 24, "sp_ice_aoe", 14);
    row("ImpactSEF", true, 24, "sp_ice_aoe.sef", 15);
    row("LowImpactSEF", true, 24, "sp_eldritch_aoe.sef", 23);
}

void FormTest::shouldOfferFixedLists()
{
    QFETCH(QString, name);
    QFETCH(bool, editable);
    QFETCH(int, count);
    QFETCH(QString, item);
    QFETCH(int, index);

    auto *box = field<QComboBox>(name);
    QVERIFY(box);
    QCOMPARE(box->isEditable(), editable);
    QCOMPARE(box->count(), count);
    QCOMPARE(box->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive), index);
    box->setCurrentIndex(index);
    QCOMPARE(box->currentText(), item);
    if (!editable) {
        box->setCurrentText(QStringLiteral("Not an item"));
        QCOMPARE(box->currentIndex(), index);
    }
}

void FormTest::shouldGiveSharedListsToEachBoxAlike_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("conjure effects, cast") << "ConjVisual0" << "CastVisual0";
    QTest::newRow("conjure effects, low cast") << "ConjVisual0" << "LowCastVisual0";
    QTest::newRow("projectile effects") << "ProjSEF" << "LowProjSEF";
    QTest::newRow("impact effects") << "ImpactSEF" << "LowImpactSEF";
}

void FormTest::shouldGiveSharedListsToEachBoxAlike()
{
    QFETCH(QString, first);
    QFETCH(QString, second);

    auto *one = field<QComboBox>(first);
    auto *other = field<QComboBox>(second);
    QVERIFY(one && other);
    const auto itemsOf = [](const QComboBox *box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    };
    const QStringList shared = itemsOf(one);
    QCOMPARE(itemsOf(other), shared);
    QCOMPARE(QStringList(shared).removeDuplicates(), 0);

    // Enter adds a new name to the box typed into, and to no other.
    QLineEdit *edit = one->lineEdit();
    QVERIFY(edit);
    QCOMPARE(edit->text(), QStringLiteral("None"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("my_new_effect.sef"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(one->count(), shared.size() + 1);
    QCOMPARE(one->currentIndex(), shared.size());
    QCOMPARE(one->currentText(), QStringLiteral("my_new_effect.sef"));
    QCOMPARE(itemsOf(other), shared);
    QCOMPARE(other->currentIndex(), 0);

    // A name the list already holds becomes current instead of standing twice.
    edit->selectAll();
    QTest::keyClicks(edit, shared.at(2));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(one->count(), shared.size() + 1);
    QCOMPARE(one->currentIndex(), 2);
}

void FormTest::shouldRunChantListsInParallel()
{
    auto *male = field<QComboBox>("ConjSoundMale");
    auto *female = field<QComboBox>("ConjSoundFemale");
    QVERIFY(male && female);
    QCOMPARE(male->count(), female->count());
    QCOMPARE(male->itemText(0), female->itemText(0));
    for (int i = 1; i < male->count(); ++i) {
        const QString he = male->itemText(i);
        const QString she = female->itemText(i);
        QVERIFY2(he.endsWith(QLatin1String("_hm")) || he.endsWith(QLatin1String("_lm")), qPrintable(he));
        QCOMPARE(she, he.chopped(1) + u'f');
    }
    male->setCurrentIndex(5);
    QCOMPARE(female->currentIndex(), 0);
}

void FormTest::shouldShowRowsByIndex_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    const auto rows = [](Page page, std::initializer_list<std::tuple<const char *, const char *, const char *>> fields) {
        int row = 0;
        for (const auto &[field, label, text] : fields) {
            QTest::addRow("%s", field) << int(page) << field << row << label << text;
            ++row;
        }
    };
    rows(Info, {{"ID", "label_91", "ID:"},
                {"Label", "label_2", "Label:"},
                {"Name", "label_3", "Name:"},
                {"SpellDesc", "label_4", "SpellDesc:"},
                {"AltMessage", "label_5", "AltMessage:"},
                {"IconResRef", "label_6", "IconResRef:"},
                {"ImpactScript", "label_7", "ImpactScript:"},
                {"FeatID", "label_8", "FeatID:"},
                {"Category", "label_9", "Category:"},
                {"UserType", "label_10", "UserType:"},
                {"ItemImmunity", "label_11", "ItemImmunity:"}});
    rows(Data, {{"School", "label_12", "School:"},
                {"Range", "label_13", "Range:"},
                {"horizontalLayout", "label_14", "VS:"},
                {"horizontalLayout_2", "label_15", "MetaMagic:"},
                {"ConjTime", "label_78", "ConjTime"},
                {"CastTime", "label_33", "CastTime:"},
                {"UseConcentration", "label_16", "UseConcentration:"},
                {"Master", "label_17", "Master:"},
                {"verticalLayout_2", "label_18", "SubRadSpells:"}});
    rows(Classes, {{"Bard", "label_19", "Bard:"},
                   {"Cleric", "label_20", "Cleric:"},
                   {"Druid", "label_21", "Druid:"},
                   {"Paladin", "label_22", "Paladin:"},
                   {"Ranger", "label_23", "Ranger:"},
                   {"Wiz_Sorc", "label_24", "Wizard/Sorcerer:"},
                   {"Warlock", "label_25", "Warlock:"},
                   {"Innate", "label_26", "Innate:"},
                   {"SpontaneouslyCast", "label_27", "SpontaneouslyCast:"},
                   {"SpontCastClassReq", "label_28", "SpontCastClassReq:"}});
    rows(Animations, {{"ConjAnim", "label_29", "ConjAnim:"},
                      {"ConjVisual0", "label_30", "ConjVisual0:"},
                      {"LowConjVisual0", "label_31", "LowConjVisual0:"},
                      {"ConjVisual1", "label_32", "ConjVisual1:"},
                      {"ConjVisual2", "label_34", "ConjVisual2:"},
                      {"CastAnim", "label_35", "CastAnim:"},
                      {"CastVisual0", "label_37", "CastVisual0:"},
                      {"LowCastVisual0", "label_75", "LowCastVisual0:"}});
    rows(Sounds, {{"ConjSoundMale", "label_36", "ConjSoundMale:"},
                  {"ConjSoundFemale", "label_76", "ConjSoundFemale:"},
                  {"ConjSoundOverride", "label_77", "ConjSoundOverride:"},
                  {"ConjSoundVFX", "label_79", "ConjSoundVFX:"}});
    rows(Projectiles, {{"HasProjectile", "label_80", "HasProjectile:"},
                       {"Proj", "label_81", "Proj:"},
                       {"ProjModel", "label_82", "ProjModel:"},
                       {"ProjSEF", "label_83", "ProjSEF:"},
                       {"LowProjSEF", "label_84", "LowProjSEF:"},
                       {"ProjType", "label_85", "ProjType:"},
                       {"ProjSpwnPoint", "label_86", "ProjSpwnPoint:"},
                       {"ProjSound", "label_87", "ProjSound:"},
                       {"ProjOrientation", "label_88", "ProjOrientation:"},
                       {"ImpactSEF", "label_89", "ImpactSEF:"},
                       {"LowImpactSEF", "label_90", "LowImpactSEF:"}});
}

void FormTest::shouldShowRowsByIndex()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(int, row);
    QFETCH(QString, label);
    QFETCH(QString, text);

    auto *form = qobject_cast<QFormLayout *>(this->page(page)->layout());
    QVERIFY(form);
    QObject *object = this->page(page)->findChild<QObject *>(field);
    QVERIFY(object);
    QLayoutItem *item = form->itemAt(row, QFormLayout::FieldRole);
    QVERIFY(item);
    QCOMPARE(item->widget() ? static_cast<QObject *>(item->widget()) : item->layout(), object);

    auto *labelWidget = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)->widget());
    QVERIFY(labelWidget);
    QCOMPARE(labelWidget->objectName(), label);
    QCOMPARE(labelWidget->text(), text);
}

void FormTest::shouldLayOutTargetsAsGrid_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");

    QTest::newRow("Hostile") << "HostileSetting" << 0 << 0 << "Hostile";
    QTest::newRow("Self") << "TargetType_Self" << 0 << 1 << "Self";
    QTest::newRow("Creatures") << "TargetType_Creatures" << 0 << 2 << "Creatures";
    QTest::newRow("Items") << "TargetType_Items" << 1 << 0 << "Items";
    QTest::newRow("Doors") << "TargetType_Doors" << 1 << 1 << "Doors";
    QTest::newRow("Placeables") << "TargetType_Placeables" << 1 << 2 << "Placeables";
    QTest::newRow("Traps") << "TargetType_Traps" << 2 << 0 << "Traps";
    QTest::newRow("Area") << "TargetType_Area" << 2 << 1 << "Area/Ground";
    QTest::newRow("Dead") << "CastableOnDead" << 2 << 2 << "Dead Objects";
}

void FormTest::shouldLayOutTargetsAsGrid()
{
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);

    QWidget *targets = page(Targets);
    QCOMPARE(targets->objectName(), QStringLiteral("tabTarges"));
    QVERIFY(targets->findChildren<QLabel *>().isEmpty());

    auto *grid = targets->findChild<QGridLayout *>("gridLayout");
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->columnCount(), 3);
    auto *box = qobject_cast<QCheckBox *>(grid->itemAtPosition(row, column)->widget());
    QVERIFY(box);
    QCOMPARE(box->objectName(), name);
    QCOMPARE(box->text(), text);
    QVERIFY(box->isCheckable());

    // The page's own column: the grid, the shape box, then the spacer that keeps both at the top.
    QLayout *pageLayout = targets->layout();
    QCOMPARE(pageLayout->objectName(), QStringLiteral("verticalLayout_6"));
    QCOMPARE(pageLayout->count(), 3);
    QCOMPARE(pageLayout->itemAt(0)->layout(), grid);
    QCOMPARE(pageLayout->itemAt(1)->widget(), field<QComboBox>("TargetingUI"));
    QVERIFY(pageLayout->itemAt(2)->spacerItem());
    QCOMPARE(pageLayout->itemAt(2)->sizeHint(), QSize(20, 236));
}

void FormTest::shouldTabInCreationOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("chain");

    QTest::newRow("Info") << int(Info)
            << QStringList{"Label", "Name", "SpellDesc", "AltMessage", "IconResRef", "ImpactScript",
                           "FeatID", "Category", "UserType", "ItemImmunity", "ID"};
    QTest::newRow("Data") << int(Data)
            << QStringList{"School", "Range", "VS_V", "VS_S", "MetaMagic_Silent", "MetaMagic_Still",
                           "MetaMagic_Empower", "MetaMagic_Maximize", "MetaMagic_Quicken",
                           "MetaMagic_Extend", "MetaMagic_Persistent", "UseConcentration", "Master",
                           "SubRadSpell1", "SubRadSpell2", "SubRadSpell3", "SubRadSpell4",
                           "SubRadSpell5", "CastTime", "ConjTime"};
    QTest::newRow("Classes") << int(Classes)
            << QStringList{"Bard", "Cleric", "Druid", "Paladin", "Ranger", "Wiz_Sorc", "Warlock",
                           "Innate", "SpontCastClassReq", "SpontaneouslyCast"};
    QTest::newRow("Targets") << int(Targets)
            << QStringList{"HostileSetting", "TargetType_Self", "TargetType_Creatures",
                           "TargetType_Items", "TargetType_Traps", "TargetType_Doors",
                           "TargetType_Placeables", "TargetType_Area", "CastableOnDead", "TargetingUI"};
    QTest::newRow("Animations") << int(Animations)
            << QStringList{"ConjVisual0", "LowConjVisual0", "ConjVisual1", "ConjVisual2", "CastVisual0",
                           "LowCastVisual0", "ConjAnim", "CastAnim"};
    QTest::newRow("Sounds") << int(Sounds)
            << QStringList{"ConjSoundMale", "ConjSoundFemale", "ConjSoundOverride", "ConjSoundVFX"};
    QTest::newRow("Projectiles") << int(Projectiles)
            << QStringList{"HasProjectile", "Proj", "ProjModel", "ProjSEF", "ProjType", "ProjSpwnPoint",
                           "ProjSound", "ProjOrientation", "ImpactSEF", "LowProjSEF", "LowImpactSEF"};
    // "Undo Read" waits, disabled, for a read; the report is read as it stands, not typed into.
    QTest::newRow("Output") << 7 << QStringList{"Output", "GenerateOutput", "ReadRow", "RowReport"};
}

void FormTest::shouldTabInCreationOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, chain);

    QWidget *shown = showPage(page);
    QVERIFY(shown);
    QCOMPARE(tabbedThrough(shown, chain.first(), int(chain.size())), chain);
}

// With a row read, both buttons that need one take their turn.
void FormTest::shouldTabThroughTheReadButtonsAfterARead()
{
    QWidget *shown = showPage(7);
    QVERIFY(shown);
    field<QPushButton>("GenerateOutput")->click();
    field<QPushButton>("ReadRow")->click();
    const QStringList chain = {"Output", "GenerateOutput", "ReadRow", "UndoRead", "UpdateRow", "RowReport"};
    QCOMPARE(tabbedThrough(shown, chain.first(), int(chain.size())), chain);
}

void FormTest::shouldKeepWholeCharactersAtTheFieldsEnd_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Label") << "Label";
    QTest::newRow("IconResRef") << "IconResRef";
    QTest::newRow("typed list name") << "ProjSEF";
}

// A paste whose last character is an emoji, one unit longer than the field: the field keeps the
// letters without half of the emoji.
void FormTest::shouldKeepWholeCharactersAtTheFieldsEnd()
{
    QFETCH(QString, name);
    QWidget *widget = field<QWidget>(name);
    auto *edit = qobject_cast<QLineEdit *>(widget);
    if (auto *list = qobject_cast<QComboBox *>(widget))
        edit = list->lineEdit();
    QVERIFY(edit);
    const QString letters(edit->maxLength() - 1, u'e');
    QGuiApplication::clipboard()->setText(letters + QStringLiteral("\U0001F525"));
    edit->selectAll();
    edit->paste();
    QCOMPARE(edit->text(), letters);
}

// The fields that Tab visits on a page, from the one named on.
QStringList FormTest::tabbedThrough(QWidget *page, const QString &first, int count)
{
    page->findChild<QWidget *>(first)->setFocus(Qt::OtherFocusReason);
    QStringList visited;
    for (int i = 0; i < count; ++i) {
        QWidget *focused = pageChildOf(QApplication::focusWidget(), page);
        visited << (focused ? focused->objectName() : QStringLiteral("(outside the page)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return visited;
}

void FormTest::shouldShowStatusTipWhenHovered_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");

    const auto row = [](Page page, const char *name, const char *tip) {
        QTest::newRow(name) << int(page) << name << QString::fromUtf8(tip);
    };
    row(Info, "ID", "");
    row(Info, "Label", "");
    row(Info, "Name", "Name of the spell. TLK reference.");
    row(Info, "SpellDesc", "Spell description. TLK reference.");
    row(Info, "AltMessage", "Message displayed when the spell is cast. TLK reference.");
    row(Info, "IconResRef", "Spell's icon.");
    row(Info, "ImpactScript", "Script that is called when the spell has been cast.");
    row(Info, "FeatID", "Which feat casts this spell.");
    row(Info, "Category", "Used for AI.");
    row(Info, "UserType", "What type of Spell it is.");
    row(Info, "ItemImmunity", "Can an item be give immunity to this spell?");
    row(Info, "label_3", "");
    row(Data, "School", "What school of magic the spell is classified as.");
    row(Data, "Range", "Range of the spell.");
    row(Data, "VS_V", "Requires a verbal (audio) component.");
    row(Data, "VS_S", "Requires a somatic (gesture) component.");
    row(Data, "MetaMagic_Silent", "This spell can be silenced.");
    row(Data, "MetaMagic_Still", "This spell can be stilled.");
    row(Data, "MetaMagic_Empower", "This spell can be empowered.");
    row(Data, "MetaMagic_Maximize", "This spell can be maximized.");
    row(Data, "MetaMagic_Quicken", "This spell can be quickened.");
    row(Data, "MetaMagic_Extend", "This spell can be extended.");
    row(Data, "MetaMagic_Persistent", "This spell can be made persistent.");
    row(Data, "ConjTime", "Time taken to channel the spell; 1000 = 1 RL second.");
    row(Data, "CastTime", "Time between the casting of the spell and when you can move the caster.");
    row(Data, "UseConcentration", "Can the spell be interrupted?");
    row(Data, "Master", "What spell is needed to cast this spell.");
    row(Data, "SubRadSpell1", "ID of a selectable subspell.");
    row(Data, "SubRadSpell5", "ID of a selectable subspell.");
    row(Classes, "Bard", "Level at which bards are able to cast this spell.");
    row(Classes, "Cleric", "Level at which clerics are able to cast this spell.");
    row(Classes, "Druid", "Level at which druids are able to cast this spell.");
    row(Classes, "Paladin", "Level at which paladins are able to cast this spell.");
    row(Classes, "Ranger", "Level at which rangers are able to cast this spell.");
    row(Classes, "Wiz_Sorc", "Level at which wizards and sorcerers are able to cast this spell.");
    row(Classes, "Warlock", "Level at which warlocks are able to cast this spell.");
    row(Classes, "Innate", "Innate spell level.");
    row(Classes, "SpontaneouslyCast", "Can this spell be spontaneously cast?");
    row(Classes, "SpontCastClassReq", "Which class can spontaneously cast this spell?");
    row(Targets, "HostileSetting", "Hostile spell.");
    row(Targets, "TargetType_Self", "This spell can target the caster.");
    row(Targets, "TargetType_Creatures", "This spell can target creatures.");
    row(Targets, "TargetType_Items", "This spell can target items.");
    row(Targets, "TargetType_Doors", "This spell can target doors.");
    row(Targets, "TargetType_Placeables", "This spell can target placeables.");
    row(Targets, "TargetType_Traps", "This spell can target traps.");
    row(Targets, "TargetType_Area", "This spell can target an area.");
    row(Targets, "CastableOnDead", "This spell can target dead objects.");
    row(Targets, "TargetingUI",
        "Different types of targetting visual effects that come up when playing clicks to cast spell.");
    row(Animations, "ConjAnim", "What type of animation the spell uses during casting.");
    row(Animations, "CastAnim", "What type of animation the spell uses during casting.");
    for (const char *box : {"ConjVisual0", "LowConjVisual0", "ConjVisual1", "ConjVisual2", "CastVisual0",
                            "LowCastVisual0"})
        row(Animations, box, "");
    for (const char *box : {"ConjSoundMale", "ConjSoundFemale", "ConjSoundOverride", "ConjSoundVFX"})
        row(Sounds, box, "");
    for (const char *box : {"HasProjectile", "Proj", "ProjModel", "ProjSEF", "LowProjSEF", "ProjType",
                            "ProjSpwnPoint", "ProjSound", "ProjOrientation", "ImpactSEF", "LowImpactSEF"})
        row(Projectiles, box, "");
}

void FormTest::shouldShowStatusTipWhenHovered()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(QString, tip);

    QWidget *shown = showPage(page);
    QVERIFY(shown);
    auto *widget = shown->findChild<QWidget *>(name);
    QVERIFY(widget);
    QStatusBar *status = m_window->statusBar();
    QWidget *central = m_window->centralWidget();

    QTest::mouseMove(central, QPoint(2, 2));
    status->clearMessage();
    QTest::mouseMove(widget, widget->rect().center());
    QCOMPARE(status->currentMessage(), tip);
    QTest::mouseMove(central, QPoint(2, 2));
    QVERIFY(status->currentMessage().isEmpty());
}

void FormTest::shouldNameAndDescribeEveryInput_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("readAs");

    // What a screen reader says for the fields whose names follow a rule of their own; every
    // other field is read by its row's label, checked below for being there and not a value.
    const QHash<QString, QString> readAs = {
        {"ID", "ID"}, {"Label", "Label"}, {"School", "School"}, {"UserType", "UserType"},
        {"ConjTime", "ConjTime"}, {"Wiz_Sorc", "Wizard/Sorcerer"}, {"VS_V", "VS: Verbal"},
        {"VS_S", "VS: Somatic"}, {"MetaMagic_Silent", "MetaMagic: Silent"},
        {"MetaMagic_Persistent", "MetaMagic: Persistent"}, {"SubRadSpell1", "SubRadSpell1"},
        {"SubRadSpell5", "SubRadSpell5"}, {"ItemImmunity", "ItemImmunity"},
        {"UseConcentration", "UseConcentration"}, {"SpontaneouslyCast", "SpontaneouslyCast"},
        {"HasProjectile", "HasProjectile"}, {"Proj", "Proj"}, {"HostileSetting", "Hostile"},
        {"TargetType_Area", "Area/Ground"}, {"TargetingUI", "TargetingUI"}, {"ConjSoundMale", "ConjSoundMale"},
        {"Output", "Output"}, {"GenerateOutput", "Regenerate Output"}, {"SpellText", "SpellText"},
        {"btnClean", "Clean for NWN2"},
    };
    Runewright window;
    const auto *tabs = window.findChild<QTabWidget *>("tabWidget");
    for (int page = 0; page < tabs->count(); ++page) {
        for (const QWidget *input : inputsOf(tabs->widget(page)))
            QTest::newRow(qPrintable(input->objectName()))
                    << page << input->objectName() << readAs.value(input->objectName());
    }
}

void FormTest::shouldNameAndDescribeEveryInput()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(QString, readAs);

    auto *input = this->page(page)->findChild<QWidget *>(name);
    QVERIFY(input);
    const QString accessibleName = accessibleText(input, QAccessible::Name);
    QVERIFY(!accessibleName.isEmpty());
    QVERIFY2(accessibleName != accessibleText(input, QAccessible::Value), qPrintable(accessibleName));
    if (!readAs.isEmpty())
        QCOMPARE(accessibleName, readAs);
    QCOMPARE(accessibleText(input, QAccessible::Description), input->statusTip());
}

void FormTest::shouldNameEveryInputOnce()
{
    QHash<QString, QString> named;
    int inputs = 0, described = 0;
    for (int page = 0; page < m_tabs->count(); ++page) {
        for (QWidget *input : inputsOf(this->page(page))) {
            ++inputs;
            const QString name = accessibleText(input, QAccessible::Name);
            QVERIFY2(!named.contains(name), qPrintable(QStringLiteral("%1 and %2 are both read as \"%3\"")
                                                           .arg(named.value(name), input->objectName(), name)));
            named.insert(name, input->objectName());
            if (!accessibleText(input, QAccessible::Description).isEmpty())
                ++described;
        }
    }
    QCOMPARE(inputs, 82);
    QCOMPARE(described, 55);
}

void FormTest::shouldOpenWithAnEmptyStatusBar()
{
    QVERIFY(showPage(Info));
    QVERIFY(QApplication::focusWidget());
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
}

void FormTest::shouldShowTipWhenFocusEnters_data()
{
    shouldTabInCreationOrder_data();
}

void FormTest::shouldShowTipWhenFocusEnters()
{
    QFETCH(int, page);
    QFETCH(QStringList, chain);

    QWidget *shown = showPage(page);
    QVERIFY(shown);
    QStatusBar *status = m_window->statusBar();
    QTest::mouseMove(m_window->centralWidget(), QPoint(2, 2));
    shown->findChild<QWidget *>(chain.first())->setFocus(Qt::OtherFocusReason);

    const auto tipOfFocused = [&] {
        const QWidget *focused = pageChildOf(QApplication::focusWidget(), shown);
        return focused ? focused->statusTip() : QStringLiteral("(outside the page)");
    };
    for (int i = 1; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(status->currentMessage(), tipOfFocused());
    }
    for (int i = 1; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(status->currentMessage(), tipOfFocused());
    }
}

void FormTest::shouldShowTipOfTheLatestOfPointerAndFocus()
{
    QVERIFY(showPage(Info));
    QStatusBar *status = m_window->statusBar();
    auto *name = field<QSpinBox>("Name");
    auto *spellDesc = field<QSpinBox>("SpellDesc");
    auto *id = field<QSpinBox>("ID");
    QTest::mouseMove(m_window->centralWidget(), QPoint(2, 2));

    field<QLineEdit>("Label")->setFocus(Qt::OtherFocusReason);
    QVERIFY(status->currentMessage().isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(status->currentMessage(), name->statusTip());
    QTest::mouseMove(id, id->rect().center());
    QVERIFY(status->currentMessage().isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(status->currentMessage(), spellDesc->statusTip());
    QTest::mouseMove(name, name->rect().center());
    QCOMPARE(status->currentMessage(), name->statusTip());
    QTest::mouseClick(field<QLineEdit>("IconResRef"), Qt::LeftButton);
    QCOMPARE(status->currentMessage(), field<QLineEdit>("IconResRef")->statusTip());
    QTest::mouseClick(id, Qt::LeftButton, {}, id->rect().center());
    QVERIFY(status->currentMessage().isEmpty());
}

void FormTest::shouldSwitchPagesFromEveryField_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("switchedTo");

    const int control = Qt::ControlModifier;
    const int controlShift = Qt::ControlModifier | Qt::ShiftModifier;
    Runewright window;
    const auto *tabs = window.findChild<QTabWidget *>("tabWidget");
    const int pages = tabs->count();
    // Every list that cannot be typed into takes letters for a search.
    for (int page = 0; page < pages; ++page) {
        for (const QComboBox *list : tabs->widget(page)->findChildren<QComboBox *>()) {
            if (list->isEditable())
                continue;
            QTest::addRow("%s, Ctrl+Tab", qPrintable(list->objectName()))
                    << page << list->objectName() << int(Qt::Key_Tab) << control << (page + 1) % pages;
        }
    }
    QTest::newRow("School, Ctrl+Shift+Tab") << int(Data) << "School" << int(Qt::Key_Backtab) << controlShift << int(Info);
    QTest::newRow("School, Ctrl+PgDown") << int(Data) << "School" << int(Qt::Key_PageDown) << control << int(Classes);
    QTest::newRow("School, Ctrl+PgUp") << int(Data) << "School" << int(Qt::Key_PageUp) << control << int(Info);
    QTest::newRow("ConjVisual0, Ctrl+Tab") << int(Animations) << "ConjVisual0" << int(Qt::Key_Tab) << control << int(Sounds);
    QTest::newRow("Master, Ctrl+PgDown") << int(Data) << "Master" << int(Qt::Key_PageDown) << control << int(Classes);
    QTest::newRow("ID, Ctrl+PgUp: round to the Text page") << int(Info) << "ID" << int(Qt::Key_PageUp) << control << 8;
    QTest::newRow("SpellText, Ctrl+Tab: round to Info") << 8 << "SpellText" << int(Qt::Key_Tab) << control << int(Info);
    QTest::newRow("SpellText, Ctrl+Shift+Tab") << 8 << "SpellText" << int(Qt::Key_Backtab) << controlShift << 7;
    QTest::newRow("Output, Ctrl+PgDown") << 7 << "Output" << int(Qt::Key_PageDown) << control << 8;
    // Where the focus is when the window opens.
    QTest::newRow("tab bar, Ctrl+PgDown") << int(Info) << "tab bar" << int(Qt::Key_PageDown) << control << int(Data);
    QTest::newRow("tab bar, Ctrl+PgUp") << int(Info) << "tab bar" << int(Qt::Key_PageUp) << control << 8;
    QTest::newRow("tab bar, Ctrl+Shift+Tab") << int(Data) << "tab bar" << int(Qt::Key_Backtab) << controlShift << int(Info);
}

void FormTest::shouldSwitchPagesFromEveryField()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, switchedTo);

    QWidget *shown = showPage(page);
    QVERIFY(shown);
    QWidget *input = name == QLatin1String("tab bar") ? m_tabs->tabBar() : shown->findChild<QWidget *>(name);
    QVERIFY(input);
    input->setFocus(Qt::TabFocusReason);
    const QVariantMap before = formValues(m_window);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_tabs->currentIndex(), switchedTo);
    QCOMPARE(formValues(m_window), before);
}

void FormTest::shouldStillSearchListsByTypedLetter()
{
    QVERIFY(showPage(Data));
    auto *school = field<QComboBox>("School");
    school->setFocus(Qt::TabFocusReason);
    QTest::keyClick(school, Qt::Key_N);
    QVERIFY2(school->currentText().startsWith(u'N'), qPrintable(school->currentText()));
    QCOMPARE(m_tabs->currentIndex(), int(Data));
}

void FormTest::shouldClearTheTipWhenFocusReachesTheTabBar()
{
    QVERIFY(showPage(Data));
    QTest::mouseMove(m_window->centralWidget(), QPoint(2, 2));
    auto *school = field<QComboBox>("School");
    school->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_window->statusBar()->currentMessage(), school->statusTip());
    QTest::keyClick(school, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_tabs->tabBar());
    QCOMPARE(m_window->statusBar()->currentMessage(), QString());
}

// What a screen reader's mouse review asks: the accessible object at a point on the screen.
void FormTest::shouldFindTheEditFieldOfAListAtItsPlaceOnScreen()
{
    m_window->move(300, 200);
    QVERIFY(showPage(Animations));
    auto *list = field<QComboBox>("ConjVisual0");
    const QPoint center = list->lineEdit()->mapToGlobal(list->lineEdit()->rect().center());
    QAccessibleInterface *found = QAccessible::queryAccessibleInterface(list)->childAt(center.x(), center.y());
    QVERIFY(found);
    QCOMPARE(found->object(), list->lineEdit());
}

void FormTest::shouldChangeNothingButTheFieldEdited()
{
    const QVariantMap start = formValues(m_window);
    QStringList edited;
    for (QSpinBox *box : m_window->findChildren<QSpinBox *>()) {
        box->setValue(box->value() == box->maximum() ? box->minimum() : box->maximum());
        edited << box->objectName();
    }
    for (QCheckBox *box : m_window->findChildren<QCheckBox *>()) {
        box->click();
        edited << box->objectName();
    }
    for (QComboBox *box : m_window->findChildren<QComboBox *>()) {
        box->setCurrentIndex(box->count() - 1);
        edited << box->objectName();
    }
    for (QLineEdit *edit : m_window->findChildren<QLineEdit *>()) {
        if (edit->objectName().startsWith(QLatin1String("qt_")))
            continue;
        edit->setText(QStringLiteral("x"));
        edited << edit->objectName();
    }

    // Editing each field once left every field it did not edit, and every enabled state, alone.
    const QVariantMap end = formValues(m_window);
    for (auto it = start.cbegin(); it != start.cend(); ++it) {
        const bool wasEdited = edited.contains(it.key());
        QVERIFY2((end.value(it.key()) != it.value()) == wasEdited, qPrintable(it.key()));
    }
}

void FormTest::shouldKeepPagesInPlaceWhenEnlarged()
{
    m_window->resize(1000, 800);
    QWidget *data = showPage(Data);
    QVERIFY(data);
    // The components and metamagic boxes stay packed to the left.
    auto *somatic = field<QCheckBox>("VS_S");
    auto *persistent = field<QCheckBox>("MetaMagic_Persistent");
    QVERIFY(somatic->geometry().right() < data->width() / 2);
    QVERIFY(persistent->geometry().right() < data->width() - 100);

    QWidget *targets = showPage(Targets);
    QVERIFY(targets);
    // The grid and the shape box stay at the top; the spacer takes the height below them.
    auto *shape = field<QComboBox>("TargetingUI");
    QVERIFY(shape->geometry().bottom() < targets->height() / 2);
    QVERIFY(field<QCheckBox>("HostileSetting")->geometry().top() < 30);
}

QTEST_MAIN(FormTest)
#include "tst_form.moc"
