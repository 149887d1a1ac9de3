#include "standardpaths.h"

#include <QJSEngine>
#include <QStandardPaths>

QJSValue standardPathsProvider(QQmlEngine* /*engine*/, QJSEngine* scriptEngine)
{
    QJSValue paths = scriptEngine->newObject();
    // A platform without any documents folder yields an empty string, which
    // the folder page lists as nothing rather than failing.
    const QStringList documents =
        QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation);
    paths.setProperty(QStringLiteral("Documents"), documents.value(0));
    return paths;
}
