#include "browse/recipeshare.h"

#include "export/recipeexport.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

QUrl RecipeShare::writePage(const QString& recipePath) const
{
    const QByteArray page = recipeHtml(recipePath);
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/shared");
    if (page.isEmpty() || !QDir().mkpath(folder))
        return {};
    const QString target =
        QDir(folder).filePath(RecipeExport::fileNameFor(recipePath, QStringLiteral("html")));
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size() || !file.commit())
        return {};
    return QUrl::fromLocalFile(target);
}
