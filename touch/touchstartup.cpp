#include "touchstartup.h"

#include "qmltypes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>

void forceTouchStyle()
{
    // Whatever the user's environment says.
    qputenv("QT_QUICK_CONTROLS_STYLE", "Material");
}

void prepareTouchApplication()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/appicon.svg")));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("SaltroveTouch"));
    const QString makersDomain = QStringLiteral("vantrel.org");
    QCoreApplication::setOrganizationName(makersDomain);
    QCoreApplication::setOrganizationDomain(makersDomain);
    // Keeps the touch program's settings apart from the desktop program's.
    QCoreApplication::setApplicationName(QStringLiteral("SaltroveTouch"));
    // Lets a Wayland compositor match the window with the installed desktop
    // entry, and so with its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantrel.saltrovetouch"));
    registerQmlTypes();
}
