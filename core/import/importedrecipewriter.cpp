#include "import/importedrecipewriter.h"

#include "import/recipefilenames.h"
#include "import/recipemarkdownwriter.h"
#include "recipe/recipefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int maxNumber = 10000;

}

ImportedRecipeWriter::ImportedRecipeWriter(const QString& folder)
    : m_folder(folder)
{}

bool ImportedRecipeWriter::createNew(const QString& name, const QByteArray& bytes,
                                     QString* error) const
{
    QFile file(QDir(m_folder).filePath(name));
    // NewOnly: the check for an existing file and the creation are one step,
    // so a file that appears meanwhile is not replaced either.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.close();
        file.remove();
        return false;
    }
    return true;
}

QString ImportedRecipeWriter::write(const ImportedRecipe& recipe, QString* error) const
{
    const QDir folder(m_folder);
    if (!folder.exists()) {
        if (error)
            *error = QStringLiteral("the folder does not exist");
        return {};
    }
    const QString base = RecipeFileNames::baseName(recipe.title);
    for (int number = 1; number <= maxNumber; ++number) {
        const QString stem = RecipeFileNames::numbered(base, number);
        const QString recipeName = stem + RecipeFile::suffix;
        if (folder.exists(recipeName))
            continue;
        ImportedRecipe written = recipe;
        written.pictureFile.clear();
        if (!recipe.pictureData.isEmpty() && !recipe.pictureSuffix.isEmpty()) {
            // The picture is named after the recipe: a name whose picture is
            // taken goes to the next number as well.
            const QString pictureName = stem + QLatin1Char('.') + recipe.pictureSuffix;
            if (folder.exists(pictureName))
                continue;
            if (createNew(pictureName, recipe.pictureData, nullptr))
                written.pictureFile = pictureName;
        }
        QString writeError;
        if (createNew(recipeName, toRecipeMarkdown(written).toUtf8(), &writeError))
            return folder.filePath(recipeName);
        if (!written.pictureFile.isEmpty())
            QFile::remove(folder.filePath(written.pictureFile));
        if (!writeError.isEmpty()) {
            if (error)
                *error = writeError;
            return {};
        }
        // The name was taken between the look and the creation: try the next.
        if (!QFileInfo::exists(folder.filePath(recipeName))) {
            if (error)
                *error = QStringLiteral("cannot create files in the folder");
            return {};
        }
    }
    if (error)
        *error = QStringLiteral("too many recipes of that name");
    return {};
}
