#pragma once

#include "import/archivereader.h"
#include "import/importedrecipe.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// Reads recipes exported by Paprika: a ".paprikarecipes" file is a zip archive
// of gzip-compressed JSON recipes, a ".paprikarecipe" one such recipe alone.
// Photos come inside the JSON.
class PaprikaReader
{
public:
    // The recipes of an archive; `problem` says why there are none when the
    // archive was refused.
    static QList<ImportedRecipe> readArchive(const QString& path, QString* problem = nullptr);
    static QList<ImportedRecipe> readSingle(const QByteArray& packed, QString* problem = nullptr);
    static ImportedRecipe recipeFrom(const QJsonObject& object);

private:
    static void attachPhoto(ImportedRecipe& recipe, const QJsonObject& object);
};
