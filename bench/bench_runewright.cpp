// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runewright.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
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

// Building a window and showing it until the window system has exposed it.
template <typename Window>
qint64 nanosecondsToShow()
{
    QElapsedTimer timer;
    timer.start();
    Window window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return -1;
    return timer.nsecsElapsed();
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

// "Clean for NWN2" on long descriptions in which every other character needs replacing.
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
    // Only the click is timed; filling the box again between runs is not.
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 5; ++run) {
        box->setPlainText(text);
        QElapsedTimer timer;
        timer.start();
        button->click();
        best = std::min(best, timer.nsecsElapsed());
        QVERIFY(!box->toPlainText().contains(QChar(0x2014)));
    }
    QTest::setBenchmarkResult(qreal(best), QTest::WalltimeNanoseconds);
}

// "Regenerate Output" on the starting form, and with a long name typed into every editable list.
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
    if (typedLength > 0) {
        for (QComboBox *box : window.findChildren<QComboBox *>()) {
            if (box->isEditable())
                box->setEditText(QString(typedLength, u'n'));
        }
    }
    auto *button = window.findChild<QPushButton *>("GenerateOutput");
    QBENCHMARK {
        button->click();
    }
    QVERIFY(window.findChild<QLineEdit *>("Output")->text().size() >= 1028);
}

// Start-up: Runewright's window against an empty QMainWindow built and shown the same way, after
// one window has warmed up the fonts, the style and the platform.
void RunewrightBenchmark::startUp()
{
    QVERIFY(nanosecondsToShow<QMainWindow>() > 0);
    QList<qint64> empty;
    QList<qint64> runewright;
    for (int run = 0; run < 15; ++run) {
        empty << nanosecondsToShow<QMainWindow>();
        runewright << nanosecondsToShow<Runewright>();
    }
    QVERIFY(!empty.contains(-1) && !runewright.contains(-1));
    const qint64 emptyTime = median(empty);
    const qint64 runewrightTime = median(runewright);
    qInfo("empty QMainWindow %.2f ms, Runewright %.2f ms, ratio %.1f", emptyTime / 1e6,
          runewrightTime / 1e6, double(runewrightTime) / double(emptyTime));
    QTest::setBenchmarkResult(qreal(runewrightTime), QTest::WalltimeNanoseconds);
}

QTEST_MAIN(RunewrightBenchmark)
#include "bench_runewright.moc"
