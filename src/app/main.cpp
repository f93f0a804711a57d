#include "app/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tb::openLauncher();
    return app.exec();
}
