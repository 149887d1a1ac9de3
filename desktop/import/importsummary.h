#pragma once

#include "import/importedrecipe.h"

#include <QList>
#include <QString>
#include <QStringList>

// What one import did: the recipe files written, and each file that gave no
// recipe with the reason.
struct ImportSummary
{
    struct Problem
    {
        QString path;
        QString reason;
    };

    QStringList written;     // the new recipe files, in the order written
    QList<Problem> problems; // files that gave no recipe, or whose recipes could not be written
    // Recipes the cookbook holds already, left unwritten; kept whole so that
    // they can be imported anyway.
    QList<ImportedRecipe> alreadyThere;
    int filesRead = 0; // files looked at before the end or the cancel
    int filesTotal = 0;
    bool cancelled = false;

    // "Imported 3 recipes; 2 files held none", with how far a cancelled
    // import got.
    QString statusMessage() const;
};
