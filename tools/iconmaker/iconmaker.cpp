// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// iconmaker SOURCE.svg OUTPUT_DIR
//
// Writes OUTPUT_DIR/runewright.ico (16, 32 and 48 pixels in the 16 colours of the Windows
// palette, for the executable) and OUTPUT_DIR/hicolor/NxN/apps/runewright.png (full colour,
// for the Linux desktop).

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

const QRgb windowsPalette[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

QImage render(QSvgRenderer &svg, int size, bool smooth)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    svg.render(&painter);
    return image;
}

int nearestColour(QRgb pixel)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < 16; ++i) {
        const int dr = qRed(pixel) - qRed(windowsPalette[i]);
        const int dg = qGreen(pixel) - qGreen(windowsPalette[i]);
        const int db = qBlue(pixel) - qBlue(windowsPalette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// One icon image as a 4-bit DIB: header, palette, colour rows and transparency mask, both
// bottom-up with rows padded to four bytes.
QByteArray sixteenColourDib(const QImage &image)
{
    const int size = image.width();
    const int colourRow = (size * 4 + 31) / 32 * 4;
    const int maskRow = (size + 31) / 32 * 4;

    QByteArray dib;
    QDataStream out(&dib, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(size) << qint32(size * 2) << quint16(1) << quint16(4)
        << quint32(0) << quint32((colourRow + maskRow) * size) << qint32(0) << qint32(0)
        << quint32(16) << quint32(0);
    for (QRgb colour : windowsPalette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);

    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int index = qAlpha(pixel) < 128 ? 0 : nearestColour(pixel);
            row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
        }
        out.writeRawData(row.constData(), row.size());
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(image.pixel(x, y)) < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), row.size());
    }
    return dib;
}

bool writeIcon(const QString &path, const QList<QImage> &images)
{
    QByteArray icon;
    QDataStream out(&icon, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());

    QList<QByteArray> dibs;
    for (const QImage &image : images)
        dibs << sixteenColourDib(image);
    quint32 offset = 6 + 16 * images.size();
    for (int i = 0; i < images.size(); ++i) {
        out << quint8(images[i].width()) << quint8(images[i].height()) << quint8(16) << quint8(0)
            << quint16(1) << quint16(4) << quint32(dibs[i].size()) << offset;
        offset += dibs[i].size();
    }
    for (const QByteArray &dib : dibs)
        out.writeRawData(dib.constData(), dib.size());

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(icon) == icon.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconmaker SOURCE.svg OUTPUT_DIR\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "iconmaker: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!output.mkpath(dir) || !render(svg, size, true).save(output.filePath(dir + "/runewright.png"))) {
            std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(output.filePath(dir)));
            return 1;
        }
    }
    QList<QImage> small;
    for (int size : {16, 32, 48})
        small << render(svg, size, false);
    if (!writeIcon(output.filePath("runewright.ico"), small)) {
        std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(output.filePath("runewright.ico")));
        return 1;
    }
    return 0;
}
