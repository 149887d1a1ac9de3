#pragma once

#include "import/importedstep.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A recipe as another source holds it, read into plain text: markup removed,
// entities decoded, blanks collapsed. Times are in seconds, 0 when unknown.
struct ImportedRecipe
{
    QString title;
    QString description;
    QStringList ingredients; // each line as the source writes it
    // A sub-heading of the ingredients ("For the sauce") standing before the
    // line at `before`; the lines above the first one have none.
    struct Heading
    {
        qsizetype before = 0;
        QString name;
    };
    QList<Heading> ingredientHeadings;
    QList<ImportedStep> steps;
    QString yield; // "4", "4 servings", "1 loaf"
    int totalSeconds = 0;
    int prepSeconds = 0;
    int cookSeconds = 0;
    QStringList tags; // keywords, category and cuisine
    QString author;
    QString source; // the page's address
    QString image;  // the picture's address, never fetched

    // A picture that came with the recipe (a saved page's files folder, an
    // archive, a recipe folder): its bytes and file suffix ("jpg"); empty
    // when there is none.
    QByteArray pictureData;
    QString pictureSuffix;
    // The file name of that picture once written beside the new recipe; the
    // recipe then shows it. Empty while nothing is written.
    QString pictureFile;
};
