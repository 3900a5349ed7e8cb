// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formwindow.h"
#include "runewright.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace {

// Translates every text of one context by putting it in brackets, and records what it was asked.
class BracketTranslator : public QTranslator
{
public:
    explicit BracketTranslator(const char *context) : m_context(context) { }

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, m_context) != 0)
            return {};
        return u'[' + QString::fromUtf8(sourceText) + u']';
    }

    bool isEmpty() const override { return false; }

private:
    const char *m_context;
};

QTabWidget *tabsOf(QWidget *window)
{
    return window->findChild<QTabWidget *>("tabWidget");
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void shouldOpenAsSetUp();
    void shouldHoldNinePagesInOrder_data();
    void shouldHoldNinePagesInOrder();
    void shouldKeepObjectNameSetBeforeSetUp();
    void shouldDeclareExactlyItsSlots();
    void shouldTranslateInItsOwnContextAtConstruction();
    void shouldIgnoreTranslatorInstalledLater();
    void shouldEndEventLoopWithZeroOnClose_data();
    void shouldEndEventLoopWithZeroOnClose();
    void shouldDrawTypedText_data();
    void shouldDrawTypedText();
};

void WindowTest::shouldOpenAsSetUp()
{
    Runewright window;
    QCOMPARE(window.size(), QSize(602, 414));
    QCOMPARE(window.windowTitle(), QStringLiteral("Runewright"));
    QCOMPARE(window.objectName(), QStringLiteral("RunewrightClass"));
    QVERIFY(window.isWindow());
    QVERIFY(!window.parentWidget());

    QWidget *central = window.centralWidget();
    QVERIFY(central);
    QCOMPARE(central->objectName(), QStringLiteral("centralWidget"));
    QLayout *layout = central->layout();
    QVERIFY(layout);
    QCOMPARE(layout->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(layout->spacing(), 6);
    QCOMPARE(layout->contentsMargins(), QMargins(11, 11, 11, 11));
    QCOMPARE(layout->count(), 1);
    QCOMPARE(layout->itemAt(0)->widget(), tabsOf(&window));

    QVERIFY(!window.findChild<QMenuBar *>());
    QCOMPARE(window.statusBar()->objectName(), QStringLiteral("statusBar"));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(tabsOf(&window)->currentIndex(), 0);
    QCOMPARE(tabsOf(&window)->currentWidget()->objectName(), QStringLiteral("tabInfo"));
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

void WindowTest::shouldHoldNinePagesInOrder_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");

    QTest::newRow("Info") << 0 << "tabInfo" << "Info";
    QTest::newRow("Data") << 1 << "tabData" << "Data";
    QTest::newRow("Classes") << 2 << "tabClasses" << "Classes";
    QTest::newRow("Targets") << 3 << "tabTarges" << "Targets";
    QTest::newRow("Animations") << 4 << "tabAnimations" << "Animations";
    QTest::newRow("Sounds") << 5 << "tabSounds" << "Sounds";
    QTest::newRow("Projectiles") << 6 << "tabProjectiles" << "Projectiles";
    QTest::newRow("Output") << 7 << "tabOutput" << "Output";
    QTest::newRow("Text") << 8 << "tabText" << "Text";
}

void WindowTest::shouldHoldNinePagesInOrder()
{
    QFETCH(int, index);
    QFETCH(QString, page);
    QFETCH(QString, title);

    Runewright window;
    QTabWidget *tabs = tabsOf(&window);
    QCOMPARE(tabs->count(), 9);
    QCOMPARE(tabs->widget(index)->objectName(), page);
    QCOMPARE(tabs->tabText(index), title);
    QCOMPARE(QString::fromLatin1(tabs->widget(index)->metaObject()->className()),
             QStringLiteral("QWidget"));
}

void WindowTest::shouldKeepObjectNameSetBeforeSetUp()
{
    BareWindow window;
    window.setObjectName(QStringLiteral("Spellbook"));
    Ui::RunewrightClass ui;
    ui.setupUi(&window);
    QCOMPARE(window.objectName(), QStringLiteral("Spellbook"));
    QCOMPARE(window.size(), QSize(602, 414));
}

void WindowTest::shouldDeclareExactlyItsSlots()
{
    const QMetaObject &meta = Runewright::staticMetaObject;
    QCOMPARE(meta.className(), "Runewright");
    QCOMPARE(meta.superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
    QCOMPARE(meta.enumeratorCount(), meta.enumeratorOffset());
    QCOMPARE(meta.constructorCount(), 0);

    QStringList slotSignatures;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Public);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
        slotSignatures << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(slotSignatures, QStringList({"UpdateOutput()", "CleanText()", "ReadRow()", "UndoRead()", "UpdateRow()"}));
}

void WindowTest::shouldTranslateInItsOwnContextAtConstruction()
{
    BracketTranslator translator("RunewrightClass");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    Runewright window;
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(window.windowTitle(), QStringLiteral("[Runewright]"));
    QTabWidget *tabs = tabsOf(&window);
    for (int i = 0; i < tabs->count(); ++i)
        QVERIFY2(tabs->tabText(i).startsWith(u'['), qPrintable(tabs->tabText(i)));
    QStringList shown;
    for (const QLabel *label : window.findChildren<QLabel *>())
        shown << label->text();
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        shown << button->text();
    for (const QWidget *widget : window.findChildren<QWidget *>())
        shown << widget->statusTip();
    for (const QComboBox *box : window.findChildren<QComboBox *>()) {
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
    }
    shown.removeAll(QString());
    QVERIFY(shown.size() > 100);
    for (const QString &text : std::as_const(shown))
        QVERIFY2(text.startsWith(u'[') && text.endsWith(u']'), qPrintable(text));
}

void WindowTest::shouldIgnoreTranslatorInstalledLater()
{
    Runewright window;
    BracketTranslator translator("RunewrightClass");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(window.windowTitle(), QStringLiteral("Runewright"));
    QCOMPARE(tabsOf(&window)->tabText(0), QStringLiteral("Info"));
    QCoreApplication::removeTranslator(&translator);
}

void WindowTest::shouldEndEventLoopWithZeroOnClose_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("Info selected") << 0;
    QTest::newRow("Projectiles selected") << 6;
    QTest::newRow("Text selected") << 8;
}

void WindowTest::shouldEndEventLoopWithZeroOnClose()
{
    QFETCH(int, page);
    Runewright window;
    window.show();
    tabsOf(&window)->setCurrentIndex(page);
    QTimer::singleShot(0, &window, &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

// The text in a field must be drawn, whatever the platform's font engine: under Wine, Qt's GDI
// engines left line edits, spin boxes and editable lists blank while labels still showed.
void WindowTest::shouldDrawTypedText_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");

    QTest::newRow("line edit") << 0 << "Label" << "Searing_Rune";
    QTest::newRow("spin box") << 0 << "ID" << "1450";
    QTest::newRow("editable list") << 4 << "ConjVisual0" << "vfx_searing_rune";
}

void WindowTest::shouldDrawTypedText()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, typed);

    Runewright window;
    tabsOf(&window)->setCurrentIndex(page);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Keep the focus, and so the blinking text cursor, out of the field.
    tabsOf(&window)->setFocus();
    auto *widget = window.findChild<QWidget *>(field);
    QVERIFY(widget);
    auto *edit = qobject_cast<QLineEdit *>(widget);
    if (!edit)
        edit = widget->findChild<QLineEdit *>();
    QVERIFY(edit);

    edit->clear();
    const QImage empty = widget->grab().toImage();
    QTest::keyClicks(widget, typed);
    QCOMPARE(edit->text(), typed);
    const QImage filled = widget->grab().toImage();

    QCOMPARE(filled.size(), empty.size());
    int changed = 0;
    for (int y = 0; y < empty.height(); ++y) {
        for (int x = 0; x < empty.width(); ++x)
            changed += empty.pixel(x, y) != filled.pixel(x, y);
    }
    // A few dozen pixels per glyph at the least.
    QVERIFY2(changed > 20 * typed.size(), qPrintable(QString::number(changed)));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
