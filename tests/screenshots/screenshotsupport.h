#pragma once

// What every offscreen picture of the desktop program does before its window
// is built: the program's identity (never the user's own settings), an icon
// theme that offscreen Qt would not find by itself, and the collection.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace screenshot {

inline void prepareWindowOn(const QString& cookbook)
{
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/appicon.svg")));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Saltrove"));
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
    QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
    // Offscreen there is no desktop to name an icon theme or where themes
    // live; take the installed one the toolbar's icon names come from.
    QStringList themePaths = QIcon::themeSearchPaths();
    const QString dataDirs =
        qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString& dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        themePaths.append(dir + QStringLiteral("/icons"));
    QIcon::setThemeSearchPaths(themePaths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QStringLiteral("hicolor"))
        QIcon::setThemeName(QStringLiteral("breeze"));
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("General/location"), cookbook);
}

} // namespace screenshot
