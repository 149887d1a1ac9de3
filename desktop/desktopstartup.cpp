#include "desktopstartup.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QResource>
#include <QStandardPaths>

namespace {

// Where the platform names no icon theme (a plain X session, a tiling window
// manager) Qt looks only in "hicolor", which has hardly any of the icons the
// actions ask for. Icons the chosen theme lacks are then taken from a full
// theme that is installed; a theme that has them still wins.
void addFallbackIconTheme()
{
    if (!QIcon::fallbackThemeName().isEmpty() &&
        QIcon::fallbackThemeName() != QStringLiteral("hicolor"))
        return;
    // Some platforms (offscreen, minimal) search no system folder at all.
    QStringList folders = QIcon::themeSearchPaths();
    const QStringList systemFolders =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                  QStandardPaths::LocateDirectory);
    for (const QString& theme : {QStringLiteral("breeze"), QStringLiteral("Adwaita")}) {
        for (const QString& folder : folders + systemFolders) {
            if (!QFile::exists(folder + QLatin1Char('/') + theme + QStringLiteral("/index.theme")))
                continue;
            if (!folders.contains(folder))
                QIcon::setThemeSearchPaths(folders << folder);
            QIcon::setFallbackThemeName(theme);
            return;
        }
    }
}

} // namespace

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
    addFallbackIconTheme();

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
