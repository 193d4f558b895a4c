#include "qt/application.h"
#include "qt/display.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (!gd::prepareDisplay())
        return 2;
    QApplication app(argc, argv);
    gd::Application glimmerdeck;
    glimmerdeck.start();
    if (glimmerdeck.form().ended()) // ended before the event loop ran, e.g. an error at load
        return glimmerdeck.platform().exitStatus();
    return app.exec();
}
