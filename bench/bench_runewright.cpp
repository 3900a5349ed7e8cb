// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Each figure comes with a floor measured in the same run, the least the toolkit itself needs
// for the same result, so that the ratios can be compared across machines.

#include "formwindow.h"
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
#include <QSpinBox>
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
    void readRow_data();
    void readRow();
    void readLongRow_data();
    void readLongRow();
    void startUp();
};

namespace {

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
        cells << cell(column.encoding.write(), column.width);
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

// "Read Row into Form" on the row that "Regenerate Output" writes from the same form, and then
// "Update Read Row", each against that regeneration.
void RunewrightBenchmark::readRow_data()
{
    updateOutput_data();
}

void RunewrightBenchmark::readRow()
{
    QFETCH(int, typedLength);
    Runewright window;
    typeIntoEditableLists(&window, typedLength);
    auto *generate = window.findChild<QPushButton *>("GenerateOutput");
    auto *read = window.findChild<QPushButton *>("ReadRow");
    auto *output = window.findChild<QLineEdit *>("Output");
    generate->click();
    const QString row = output->text();

    const qint64 reading = fastest(50, [&] { output->setText(row); }, [&] { read->click(); });
    QCOMPARE(output->text(), row);
    const qint64 regenerate = fastest(50, [] { }, [&] { generate->click(); });
    QCOMPARE(output->text(), row);
    report("Read Row into Form", reading, "Regenerate Output", regenerate);

    // One change, then "Update Read Row" against "Regenerate Output" of the changed form, which
    // writes the same row: the row read is the one the form wrote.
    window.findChild<QSpinBox *>("CastTime")->setValue(2500);
    auto *update = window.findChild<QPushButton *>("UpdateRow");
    const qint64 updating = fastest(50, [] { }, [&] { update->click(); });
    const QString updated = output->text();
    const qint64 regenerateChanged = fastest(50, [] { }, [&] { generate->click(); });
    QCOMPARE(output->text(), updated);
    report("Update Read Row", updating, "Regenerate Output", regenerateChanged);
}

// Reading rows of growing length, whose long values the form cannot keep, against the shortest.
void RunewrightBenchmark::readLongRow_data()
{
    cleanText_data();
}

void RunewrightBenchmark::readLongRow()
{
    QFETCH(int, size);
    Runewright window;
    auto *read = window.findChild<QPushButton *>("ReadRow");
    auto *output = window.findChild<QLineEdit *>("Output");
    window.findChild<QPushButton *>("GenerateOutput")->click();
    const QString row = output->text();
    const auto longRow = [&](int length) {
        // The label and a fixed column, each half the length.
        QString text = row;
        text.replace(0, 5, QStringLiteral("0    ") + QString(length / 2, u'L'));
        return text.replace(QLatin1String("**** 1            ****"),
                            QString(length / 2, u'F') + QLatin1String(" 1            ****"));
    };
    const auto time = [&](int length) {
        const QString text = longRow(length);
        return fastest(5, [&] { output->setText(text); }, [&] { read->click(); });
    };
    const qint64 shortest = time(64 * 1024);
    const qint64 reading = time(size);
    qInfo("Read Row into Form, %d KiB: %.2f ms, %.1f times 64 KiB's %.2f ms for %d times the length",
          size / 1024, reading / 1e6, double(reading) / double(shortest), shortest / 1e6, size / (64 * 1024));
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
