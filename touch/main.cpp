#include "qmltypes.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QUrl>

#include <cstdlib>

int main(int argc, char* argv[])
{
    // The pages are laid out for the Material style; whatever the user's
    // environment says, it must be in force before Qt Quick Controls loads.
    qputenv("QT_QUICK_CONTROLS_STYLE", "Material");

    QGuiApplication app(argc, argv);
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/appicon.svg")));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("SaltroveTouch"));
    const QString makersDomain = QStringLiteral("vantrel.org");
    QCoreApplication::setOrganizationName(makersDomain);
    QCoreApplication::setOrganizationDomain(makersDomain);
    // Keeps the touch program's settings apart from the desktop program's.
    QCoreApplication::setApplicationName(QStringLiteral("SaltroveTouch"));

    registerQmlTypes();

    int exitCode = EXIT_FAILURE;
    {
        QQmlApplicationEngine engine(QUrl(QStringLiteral("qrc:/qml/main.qml"), QUrl::TolerantMode));
        // Without its main window there is nothing to close, and the loop
        // would never end; the engine has already printed why.
        if (engine.rootObjects().isEmpty())
            return EXIT_FAILURE;
        exitCode = QGuiApplication::exec();
        // The engine, and with it every page and the objects the pages made,
        // goes here, before the application object.
    }
    return exitCode;
}
