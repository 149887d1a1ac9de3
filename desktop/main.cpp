#include "desktopstartup.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    QApplication app(argc, argv);
    prepareDesktopApplication();

    MainWindow window;
    window.show();
    return QApplication::exec();
}
