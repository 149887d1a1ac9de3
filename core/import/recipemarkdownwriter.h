#pragma once

#include "import/importedrecipe.h"

#include <QString>
#include <QStringList>

// Writes an imported recipe in the recipe format: "# Title", the description,
// the picture, "### Ingredients" as " * " bullets under a "####" heading per
// group, "### Directions" as numbered steps under a "####" heading per
// section, and "### Metadata"; a section with nothing in it is left out.
// Whatever in the recipe's text would read as a title, a section marker or a
// metadata line is escaped or kept on one line, so that parsing the file
// gives back the title, the ingredient lines and the tags.
class RecipeMarkdownWriter
{
public:
    static QString write(const ImportedRecipe& recipe);

    // The tags as written: trimmed, commas made blanks, empty ones and
    // repeats without regard to case dropped, first spelling kept.
    static QStringList cleanTags(const QStringList& tags);
    // The number of servings a yield names ("4", "4 servings", "Serves 4",
    // "4 Portionen"), or 0 when it names something else ("1 loaf").
    static int servingsOf(const QString& yield);
    // The title as written: on one line, at most maxLine characters.
    static QString titleOf(const ImportedRecipe& recipe);
    // The tags as written, which the "tags" line holds: cleanTags(), as many
    // as fit on one line.
    static QStringList writtenTags(const QStringList& tags);

    // The parser reads lines in pieces of under 2000 bytes, and a piece that
    // began with "# " would be a title: no line is written longer than this
    // many characters (three bytes each at most in UTF-8).
    static constexpr int maxLine = 600;

private:
    static QString escapedLine(const QString& line);
    // `text` on one line, cut to at most maxLine characters.
    static QString oneLine(const QString& text);
    // A paragraph broken at blanks into lines of at most maxLine characters.
    static QStringList wrapped(const QString& paragraph);
    static QString escapedHeading(const QString& name);
    static void writeIngredients(const ImportedRecipe& recipe, QString& out);
    static void writeDirections(const ImportedRecipe& recipe, QString& out);
    static void writeMetadata(const ImportedRecipe& recipe, QString& out);
};

// The text of a new recipe file for `recipe`.
QString toRecipeMarkdown(const ImportedRecipe& recipe);
