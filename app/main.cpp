#include "window/app.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (!gd::prepareDisplay())
        return 2;
    QApplication app(argc, argv);
    gd::Application glimmerdeck;
    glimmerdeck.start();
    return app.exec();
}
