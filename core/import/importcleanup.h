#pragma once

#include "import/importedrecipe.h"

#include <QString>
#include <QStringList>

// The last pass over a recipe read from a page or a schema.org file: its
// title without the site's name, its ingredients with their groups and
// mended lines, directions numbered inline parted into steps, and tags
// without the author, dates, the site or a publisher's labels.
class ImportCleanup
{
public:
    // `siteNames`: what the page calls its site; the name in the recipe's
    // address counts too.
    static void tidy(ImportedRecipe& recipe, const QStringList& siteNames = {});
    // The tags a cook would file the recipe under.
    static QStringList usefulTags(const QStringList& tags, const QString& author,
                                  const QStringList& siteNames);

private:
    static QList<ImportedStep> partedSteps(const QList<ImportedStep>& steps);
    static bool isUsefulTag(const QString& tag, const QStringList& excludedKeys);
};
