// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runewright.h"
#include "testseed.h"

#include <QClipboard>
#include <QApplication>
#include <QTabBar>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>

namespace {

// The five characters NWN2 cannot show, as the author expects them to come out.
QString expectedClean(const QString &text)
{
    QString result;
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\t': break;
        case 0x2019: result += u'\''; break;
        case 0x201C:
        case 0x201D: result += u'"'; break;
        case 0x2014: result += QStringLiteral(" -- "); break;
        default: result += c;
        }
    }
    return result;
}

// What stands in the box, paragraph breaks as line feeds; unlike toPlainText() this keeps
// no-break spaces and line separators as they are.
QString textIn(const QTextEdit *box)
{
    return box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QString escaped(const QString &text)
{
    QString result;
    for (QChar c : text)
        result += c.unicode() < 0x20 || c.unicode() > 0x7e
                ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                : QString(c);
    return result;
}

// Any formatting in the document: a heading, a list, bold, italics or a link.
QStringList formattingIn(const QTextDocument *document)
{
    QStringList found;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel())
            found << QStringLiteral("heading \"%1\"").arg(block.text());
        if (block.textList())
            found << QStringLiteral("list item \"%1\"").arg(block.text());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.fontWeight() > QFont::Normal || format.fontItalic() || format.isAnchor())
                found << QStringLiteral("formatted \"%1\"").arg(it.fragment().text());
        }
    }
    return found;
}

} // namespace

class TextPageTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shouldStartEmptyAndPlain();
    void shouldCleanForNwn2_data();
    void shouldCleanForNwn2();
    void shouldKeepEveryOtherCharacterAndParagraph();
    void shouldBeOneUndoStep();
    void shouldCleanFromTheKeyboard();
    void shouldCleanOnlyThroughTheButton();
    void shouldTakePastesAndDropsAsPlainText_data();
    void shouldTakePastesAndDropsAsPlainText();

private:
    void click();

    Runewright *m_window = nullptr;
    QTextEdit *m_text = nullptr;
    QPushButton *m_clean = nullptr;
};

void TextPageTest::init()
{
    m_window = new Runewright;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->findChild<QTabWidget *>("tabWidget")->setCurrentIndex(8);
    m_text = m_window->findChild<QTextEdit *>("SpellText");
    m_clean = m_window->findChild<QPushButton *>("btnClean");
    QVERIFY(m_text);
    QVERIFY(m_clean);
}

void TextPageTest::cleanup()
{
    delete m_window;
}

void TextPageTest::click()
{
    QTest::mouseClick(m_clean, Qt::LeftButton);
}

void TextPageTest::shouldStartEmptyAndPlain()
{
    QVERIFY(m_text->document()->isEmpty());
    QVERIFY(!m_text->acceptRichText());
    QCOMPARE(m_clean->text(), QStringLiteral("Clean for NWN2"));
    QVERIFY(m_text->statusTip().isEmpty());
    QVERIFY(m_clean->statusTip().isEmpty());

    const QLayout *layout = m_window->findChild<QWidget *>("tabText")->layout();
    QCOMPARE(layout->objectName(), QStringLiteral("verticalLayout_7"));
    QCOMPARE(layout->spacing(), 6);
    QCOMPARE(layout->contentsMargins(), QMargins(11, 11, 11, 11));
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(0)->widget(), m_text);
    QCOMPARE(layout->itemAt(1)->widget(), m_clean);

    QTest::keyClick(m_text, Qt::Key_Tab);
    QCOMPARE(textIn(m_text), QStringLiteral("\t"));
}

// The box takes Tab as typing; Shift+Tab leaves it for the row of page tabs, and once more for
// the button.
void TextPageTest::shouldCleanFromTheKeyboard()
{
    m_text->setFocus(Qt::OtherFocusReason);
    m_text->insertPlainText(QStringLiteral("a\u2014b"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_window->findChild<QTabWidget *>("tabWidget")->tabBar());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_clean);
    QTest::keyClick(m_clean, Qt::Key_Space);
    QCOMPARE(textIn(m_text), QStringLiteral("a -- b"));
}

void TextPageTest::shouldCleanForNwn2_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("tab between words") << "Magic\tMissile" << "MagicMissile";
    QTest::newRow("apostrophe") << QStringLiteral("spell\u2019s") << "spell's";
    QTest::newRow("double quotes") << QStringLiteral("\u201CFireball\u201D") << "\"Fireball\"";
    QTest::newRow("single quotes: only the closing one")
            << QStringLiteral("\u2018word\u2019") << QStringLiteral("\u2018word'");
    QTest::newRow("em dash joining words") << QStringLiteral("fire\u2014ice") << "fire -- ice";
    QTest::newRow("em dash between spaces") << QStringLiteral("fire \u2014 ice") << "fire  --  ice";
    QTest::newRow("one em dash, one click") << QStringLiteral("\u2014") << " -- ";
    QTest::newRow("en dash and ellipsis stay") << QStringLiteral("1\u20132\u2026") << QStringLiteral("1\u20132\u2026");
    QTest::newRow("ASCII quotes and hyphens stay")
            << "\"it's\" - a 'test' -- ok" << "\"it's\" - a 'test' -- ok";
    QTest::newRow("no-break space stays") << QStringLiteral("10\u00A0ft") << QStringLiteral("10\u00A0ft");
    QTest::newRow("markup characters stay as text") << "<b>&amp;</b> & <" << "<b>&amp;</b> & <";
    QTest::newRow("line of tabs stays a blank line") << "one\n\t\t\ntwo" << "one\n\ntwo";
    QTest::newRow("object replacement character stays")
            << QStringLiteral("a\uFFFCb\u2014c") << QStringLiteral("a\uFFFCb -- c");
    QTest::newRow("paragraphs cleaned each")
            << QStringLiteral("\u201CA\u201D\n\tB\u2019s\n\nC\u2014D") << "\"A\"\nB's\n\nC -- D";
    QTest::newRow("line separator stays") << QStringLiteral("a\u2028\tb") << QStringLiteral("a\u2028b");
}

void TextPageTest::shouldCleanForNwn2()
{
    QFETCH(QString, text);
    QFETCH(QString, cleaned);

    m_text->setPlainText(text);
    click();
    QCOMPARE(escaped(textIn(m_text)), escaped(cleaned));
    QCOMPARE(m_text->toPlainText(), expectedClean(text).replace(QChar::Nbsp, u' ')
                                                        .replace(QChar::LineSeparator, u'\n'));

    click();
    QCOMPARE(escaped(textIn(m_text)), escaped(cleaned));
}

void TextPageTest::shouldKeepEveryOtherCharacterAndParagraph()
{
    static const QString pool[] = {
        "\t", QStringLiteral("\u2019"), QStringLiteral("\u201C"), QStringLiteral("\u201D"), QStringLiteral("\u2014"),
        QStringLiteral("\u2018"), QStringLiteral("\u2013"), QStringLiteral("\u2026"), QStringLiteral("\u00A0"), "<", ">", "&", "\"", "'",
        QStringLiteral("\U0001F525"), QStringLiteral("\uFFFC"), "\n", "\n", " ", " ", "a", "Z", "7", "-", ".",
    };
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);

    for (int round = 0; round < 1000; ++round) {
        QString text;
        const int length = random.bounded(60);
        for (int i = 0; i < length; ++i)
            text += pool[random.bounded(int(std::size(pool)))];

        m_text->setPlainText(text);
        click();
        const QString once = textIn(m_text);
        click();
        const QString twice = textIn(m_text);

        const QByteArray context = QStringLiteral("seed %1, round %2, text \"%3\", got \"%4\"")
                                           .arg(seed).arg(round)
                                           .arg(escaped(text), escaped(once)).toUtf8();
        QVERIFY2(once == expectedClean(text), context.constData());
        QVERIFY2(twice == once, context.constData());
    }
}

void TextPageTest::shouldBeOneUndoStep()
{
    const QString text = QStringLiteral("\u201CA\u201D\n\t\nB\u2014C\u2019s");
    m_text->setPlainText(text);
    click();
    QCOMPARE(textIn(m_text), QStringLiteral("\"A\"\n\nB -- C's"));
    m_text->undo();
    QCOMPARE(textIn(m_text), text);
    QVERIFY(!m_text->document()->isUndoAvailable());
}

void TextPageTest::shouldCleanOnlyThroughTheButton()
{
    const QString text = QStringLiteral("a\u2014b");
    QVERIFY(QObject::disconnect(m_clean, SIGNAL(clicked()), m_window, SLOT(CleanText())));
    m_text->setPlainText(text);
    click();
    QCOMPARE(textIn(m_text), text);
}

void TextPageTest::shouldTakePastesAndDropsAsPlainText_data()
{
    QTest::addColumn<bool>("drop");
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QStringList>("data");
    QTest::addColumn<QString>("expected");

    const QString markdown = QStringLiteral("# Heading\n\n**bold** and [link](http://example.org)\n\n- item");
    const QString html = QStringLiteral("<h1>Heading</h1><p><b>bold</b> and <a href=\"http://example.org\">link</a></p>"
                                        "<ul><li>item</li></ul>");
    const QString plain = QStringLiteral("Heading *not bold* [1] \u2014 spell\u2019s");
    for (const bool drop : {false, true}) {
        const char *how = drop ? "drop" : "paste";
        QTest::addRow("%s: Markdown first, then the same as plain text", how)
                << drop << QStringList{"text/markdown", "text/plain"} << QStringList{markdown, markdown}
                << markdown;
        QTest::addRow("%s: Markdown alone", how)
                << drop << QStringList{"text/markdown"} << QStringList{markdown} << markdown;
        QTest::addRow("%s: HTML alone", how)
                << drop << QStringList{"text/html"} << QStringList{html + QStringLiteral("<p>spell\u2019s \u2014 fire</p>")}
                << QStringLiteral("Heading\nbold and link\nitem\nspell\u2019s \u2014 fire");
        QTest::addRow("%s: HTML first, then plain text", how)
                << drop << QStringList{"text/html", "text/plain"} << QStringList{html, plain} << plain;
        QTest::addRow("%s: rich text first, then plain text", how)
                << drop << QStringList{"application/x-qrichtext", "text/plain"} << QStringList{html, plain}
                << plain;
    }
}

void TextPageTest::shouldTakePastesAndDropsAsPlainText()
{
    QFETCH(bool, drop);
    QFETCH(QStringList, formats);
    QFETCH(QStringList, data);
    QFETCH(QString, expected);

    auto *offered = new QMimeData;
    for (int i = 0; i < formats.size(); ++i)
        offered->setData(formats.at(i), data.at(i).toUtf8());
    QCOMPARE(offered->formats(), formats);

    if (drop) {
        QWidget *viewport = m_text->viewport();
        const QPointF at = viewport->rect().center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, offered, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, offered, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropped);
        QVERIFY(dropped.isAccepted());
        delete offered;
    } else {
        QGuiApplication::clipboard()->setMimeData(offered);
        m_text->paste();
    }

    QCOMPARE(escaped(textIn(m_text)), escaped(expected));
    QCOMPARE(formattingIn(m_text->document()), QStringList());
}

QTEST_MAIN(TextPageTest)
#include "tst_textpage.moc"
