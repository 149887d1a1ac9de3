#pragma once

#include "import/importedrecipe.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every recipe one file holds, whatever the kind of file: a saved web page
// (.html, .htm, .xhtml), schema.org JSON (.json, also "recipe.json" in a
// recipe folder with its picture), a Paprika export (.paprikarecipes,
// .paprikarecipe) or a Cooklang recipe (.cook). Files are opened through
// SafeFile and read within ImportLimits.
class RecipeImporter
{
public:
    struct Result
    {
        QList<ImportedRecipe> recipes;
        QString problem; // why there are none: "no recipe found", "larger than 32 MiB"...
    };

    static Result importFile(const QString& path);
    // Whether the file's name says it is one of the kinds read here.
    static bool isImportable(const QString& path);
    // The importable files among `paths`, folders searched through (the
    // folders of pictures that browsers save beside pages are left out).
    static QStringList filesIn(const QStringList& paths);

    // What the clipboard holds: a page's HTML, else text written by a person.
    static QList<ImportedRecipe> importClipboard(const QString& html, const QString& text);

private:
    static Result importJson(const QString& path);
    static Result importPage(const QString& path);
    static Result importCooklang(const QString& path);
    static void attachFolderPicture(ImportedRecipe& recipe, const QString& jsonPath);
};

// Every recipe the file at `path` holds; empty when it holds none.
QList<ImportedRecipe> importRecipes(const QString& path);
