#include "runewright.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Runewright window;
    window.show();
    return app.exec();
}
