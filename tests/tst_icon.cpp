// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runewright.h"

#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <QtEndian>

// The committed icon assets, as the Windows resource compiler and the Linux desktop take them.
class IconTest : public QObject
{
    Q_OBJECT

private slots:
    void shouldHoldThreeSixteenColourImagesForWindows();
    void shouldHoldEveryHicolorSize_data();
    void shouldHoldEveryHicolorSize();
    void shouldLeaveTheWindowIconToTheSystem();
};

void IconTest::shouldHoldThreeSixteenColourImagesForWindows()
{
    QFile file(QStringLiteral(RUNEWRIGHT_ICON_DIR "/runewright.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray icon = file.readAll();
    QVERIFY(icon.size() > 6 + 3 * 16);
    const auto word = [&](int at) { return qFromLittleEndian<quint16>(icon.constData() + at); };
    QCOMPARE(word(2), quint16(1)); // an icon, not a cursor
    QCOMPARE(word(4), quint16(3));

    QList<int> sizes;
    for (int entry = 0; entry < 3; ++entry) {
        const int at = 6 + 16 * entry;
        sizes << quint8(icon.at(at));
        QCOMPARE(quint8(icon.at(at + 1)), quint8(icon.at(at)));
        QCOMPARE(quint8(icon.at(at + 2)), quint8(16)); // colours
        QCOMPARE(word(at + 6), quint16(4)); // bits per pixel
    }
    QCOMPARE(sizes, QList<int>({16, 32, 48}));

    QImageReader reader(file.fileName());
    for (int size : sizes) {
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(size, size));
        QSet<QRgb> colours;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                colours.insert(image.pixel(x, y) | 0xff000000);
        }
        QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
        QVERIFY(colours.size() > 2);
        reader.jumpToNextImage();
    }
}

void IconTest::shouldHoldEveryHicolorSize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void IconTest::shouldHoldEveryHicolorSize()
{
    QFETCH(int, size);
    const QImage image(QStringLiteral(RUNEWRIGHT_ICON_DIR "/hicolor/%1x%1/apps/runewright.png").arg(size));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // rounded corners stay clear
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
}

void IconTest::shouldLeaveTheWindowIconToTheSystem()
{
    Runewright window;
    QVERIFY(!window.testAttribute(Qt::WA_SetWindowIcon));
    QVERIFY(QApplication::windowIcon().isNull());
}

QTEST_MAIN(IconTest)
#include "tst_icon.moc"
