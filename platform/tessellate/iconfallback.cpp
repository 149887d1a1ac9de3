#include <QCoreApplication>
#include <QIcon>
#include <QStandardPaths>

namespace {

// The framework's components name their icons after the Breeze set. Some
// platforms (offscreen, minimal window systems) offer no icon theme at all:
// they neither search the system's icon folders nor name a theme. There the
// system's folders are added to the search and Breeze becomes the theme; a
// theme the user or the platform chose stays, with Breeze behind it.
void provideIconTheme()
{
    QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList systemIcons =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                  QStandardPaths::LocateDirectory);
    bool added = false;
    for (const QString& folder : systemIcons) {
        if (!searchPaths.contains(folder)) {
            searchPaths << folder;
            added = true;
        }
    }
    if (added)
        QIcon::setThemeSearchPaths(searchPaths);

    const QString breeze = QStringLiteral("breeze");
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(breeze);
    const QString fallback = QIcon::fallbackThemeName();
    if (fallback.isEmpty() || fallback == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(breeze);
}

} // namespace

// Runs when the module is loaded, which is after the application exists.
Q_COREAPP_STARTUP_FUNCTION(provideIconTheme)
