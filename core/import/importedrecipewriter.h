#pragma once

#include "import/importedrecipe.h"

#include <QString>

// Writes imported recipes as new files into one folder: the recipe named
// after its title and its picture beside it, named after the recipe. An
// existing file is never replaced: the name takes the next number instead
// ("soup.recipe.md", "soup-2.recipe.md", …). Nothing is ever written outside
// the folder, whatever the recipe holds.
class ImportedRecipeWriter
{
public:
    explicit ImportedRecipeWriter(const QString& folder);

    // The new file's path, or an empty string when nothing could be written
    // (`error` then says why).
    QString write(const ImportedRecipe& recipe, QString* error = nullptr) const;

private:
    // Creates `name` in the folder only when nothing is there yet.
    bool createNew(const QString& name, const QByteArray& bytes, QString* error) const;

    QString m_folder;
};
