#include "import/importsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString group = QStringLiteral("Import");
const QString folderKey = QStringLiteral("folder");

QString canonical(const QString& path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : resolved;
}

} // namespace

QString ImportSettings::folder(const QString& collection)
{
    QSettings settings;
    settings.beginGroup(group);
    const QString stored = settings.value(folderKey).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir() && isInside(stored, collection))
        return stored;
    return collection;
}

void ImportSettings::setFolder(const QString& folder)
{
    QSettings settings;
    settings.beginGroup(group);
    settings.setValue(folderKey, folder);
}

bool ImportSettings::isInside(const QString& folder, const QString& collection)
{
    if (folder.isEmpty() || collection.isEmpty())
        return false;
    const QString inner = canonical(folder);
    QString outer = canonical(collection);
    if (inner == outer)
        return true;
    if (!outer.endsWith(QLatin1Char('/')))
        outer += QLatin1Char('/');
    return inner.startsWith(outer);
}
