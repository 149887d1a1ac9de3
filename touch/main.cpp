#include "browse/recipeimageprovider.h"
#include "touchstartup.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QUrl>
#include <QWindow>

#include <cstdlib>

int main(int argc, char* argv[])
{
    forceTouchStyle();
    QGuiApplication app(argc, argv);
    prepareTouchApplication();

    int exitCode = EXIT_FAILURE;
    {
        QQmlApplicationEngine engine;
        engine.addImageProvider(RecipeImageProvider::name(), new RecipeImageProvider); // engine's
        engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml"), QUrl::TolerantMode));
        // Without its main window there is nothing to close, and the loop
        // would never end; the engine has already printed why.
        if (engine.rootObjects().isEmpty())
            return EXIT_FAILURE;
        exitCode = QGuiApplication::exec();
        // The engine's Scanner waits for a running scan to publish, which at
        // 100,000 recipes takes seconds: the window leaves the screen first.
        for (QWindow* window : QGuiApplication::topLevelWindows())
            window->hide();
        // The engine, and with it every page and the objects the pages made,
        // goes here, before the application object.
    }
    return exitCode;
}
