#include "desktopstartup.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QResource>
#include <QStandardPaths>

void prepareDesktopApplication()
{
    // An icon theme may be installed as a compiled resource bundle. This
    // looks before the application's names are set, in the folders Qt derives
    // from its default names.
    const QString iconBundle = QStandardPaths::locate(QStandardPaths::AppDataLocation,
                                                      QStringLiteral("icons/glint/glint-icons.rcc"),
                                                      QStandardPaths::LocateFile);
    if (!iconBundle.isEmpty() && QFile::exists(iconBundle) &&
        QResource::registerResource(iconBundle, QStringLiteral("/icons/glint")))
        QIcon::setThemeName(QStringLiteral("glint"));

    // The names decide where the window keeps its settings, so they are set
    // before the window reads them.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/appicon.svg")));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Saltrove"));
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
    QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
    // Lets a Wayland compositor match the window with the installed desktop
    // entry, and so with its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantrel.saltrove"));
}
