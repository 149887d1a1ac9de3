#include "collection/collectionsettings.h"

#include <QSettings>
#include <QStandardPaths>

QString CollectionSettings::group()
{
    return QStringLiteral("General");
}

QString CollectionSettings::locationKey()
{
    return QStringLiteral("location");
}

QString CollectionSettings::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/recipes/");
}

QString CollectionSettings::storedLocation()
{
    QSettings settings;
    settings.beginGroup(group());
    return settings.value(locationKey(), defaultLocation()).toString();
}
