// SPDX-FileCopyrightText: 2026 The Runewright developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// startup_probe runewright|empty
//
// Builds Runewright's window, or an empty QMainWindow, shows it and quits as soon as it has
// painted once: the benchmark starts it as a new process and times the whole start-up.

#include "runewright.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>

#include <cstdio>
#include <memory>

namespace {

class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray which = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    std::unique_ptr<QMainWindow> window;
    if (which == "runewright")
        window = std::make_unique<Runewright>();
    else if (which == "empty")
        window = std::make_unique<QMainWindow>();
    else {
        std::fprintf(stderr, "usage: startup_probe runewright|empty\n");
        return 2;
    }
    QuitAfterFirstPaint quitter;
    window->installEventFilter(&quitter);
    window->show();
    return app.exec();
}
