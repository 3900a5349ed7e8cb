// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Each figure comes with a floor measured in the same run, the least the toolkit itself needs
// for the same result, so that the ratios can be compared across machines.

#include "runewright.h"
#include "spellrow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <limits>

class RunewrightBenchmark : public QObject
{
    Q_OBJECT

private slots:
    void cleanText_data();
    void cleanText();
    void updateOutput_data();
    void updateOutput();
    void startUp();
};

namespace {

// The form on a bare main window, to read the columns the row writer gives the same form.
class FormWindow : public QMainWindow
{
    Q_OBJECT

public:
    FormWindow() { ui.setupUi(this); }

    Ui::RunewrightClass ui;

public slots:
    void UpdateOutput() { }
    void CleanText() { }
};

// The fastest of several runs of work, each after an untimed prepare.
template <typename Prepare, typename Work>
qint64 fastest(int runs, Prepare prepare, Work work)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < runs; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed());
    }
    return best;
}

void report(const char *what, qint64 program, const char *floorName, qint64 floor)
{
    qInfo("%s %.2f ms, %s %.2f ms, ratio %.2f", what, program / 1e6, floorName, floor / 1e6,
          double(program) / double(floor));
}

void typeIntoEditableLists(QWidget *window, int length)
{
    for (QComboBox *box : window->findChildren<QComboBox *>()) {
        if (box->isEditable() && length > 0)
            box->setEditText(QString(length, u'n'));
    }
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

// "Clean for NWN2" on long descriptions in which every other character needs replacing,
// against putting the same text into the box.
void RunewrightBenchmark::cleanText_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("64 KiB") << 64 * 1024;
    QTest::newRow("256 KiB") << 256 * 1024;
    QTest::newRow("1 MiB") << 1024 * 1024;
}

void RunewrightBenchmark::cleanText()
{
    QFETCH(int, size);
    const QString pattern = QStringLiteral("A\u2019b\u201Cc\u201Dd\u2014e\tf\n");
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += pattern;
    text.truncate(size);

    Runewright window;
    auto *box = window.findChild<QTextEdit *>("SpellText");
    auto *button = window.findChild<QPushButton *>("btnClean");
    const qint64 clean = fastest(5, [&] { box->setPlainText(text); }, [&] { button->click(); });
    QVERIFY(!box->toPlainText().contains(QChar(0x2014)));
    const qint64 floor = fastest(5, [&] { box->clear(); }, [&] { box->setPlainText(text); });
    report("Clean for NWN2", clean, "setPlainText", floor);
}

// "Regenerate Output" on the starting form and with a long name typed into every editable
// list, against writing the same row into the field column by column, and in one piece.
void RunewrightBenchmark::updateOutput_data()
{
    QTest::addColumn<int>("typedLength");
    QTest::newRow("starting values") << 0;
    QTest::newRow("200-character names") << 200;
}

void RunewrightBenchmark::updateOutput()
{
    QFETCH(int, typedLength);
    Runewright window;
    typeIntoEditableLists(&window, typedLength);
    auto *button = window.findChild<QPushButton *>("GenerateOutput");
    auto *output = window.findChild<QLineEdit *>("Output");

    FormWindow form;
    typeIntoEditableLists(&form, typedLength);
    QStringList cells;
    for (const SpellColumn &column : spellColumns(form.ui))
        cells << column.cell();
    const QString row = cells.join(QString());

    const auto nothing = [] { };
    const qint64 regenerate = fastest(50, nothing, [&] { button->click(); });
    QCOMPARE(output->text(), row);
    const qint64 perColumn = fastest(50, nothing, [&] {
        output->clear();
        for (const QString &cell : std::as_const(cells))
            output->insert(cell);
    });
    const qint64 whole = fastest(50, nothing, [&] {
        output->clear();
        output->setText(row);
    });
    report("Regenerate Output", regenerate, "clear() and 69 insert()", perColumn);
    report("Regenerate Output", regenerate, "clear() and one setText()", whole);
}

// Start-up as a whole process, until the window has painted once: Runewright against an empty
// QMainWindow, alternately, after one start of each has warmed the disk cache.
void RunewrightBenchmark::startUp()
{
    const QString probe = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("startup_probe"));
    const auto start = [&](const char *which) -> qint64 {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(probe, {QString::fromLatin1(which)});
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return -1;
        return timer.nsecsElapsed();
    };
    QVERIFY2(start("empty") > 0 && start("runewright") > 0, qPrintable(probe));
    QList<qint64> empty;
    QList<qint64> runewright;
    for (int run = 0; run < 11; ++run) {
        empty << start("empty");
        runewright << start("runewright");
    }
    QVERIFY(!empty.contains(-1) && !runewright.contains(-1));
    report("Start-up", median(runewright), "empty QMainWindow", median(empty));
}

QTEST_MAIN(RunewrightBenchmark)
#include "bench_runewright.moc"
