#pragma once

#include "import/importedrecipe.h"

#include <QString>

// Reads a recipe written by a person as plain text, as the clipboard brings
// it: the first non-blank line is the title; lines named like an ingredients
// or a directions section ("Ingredients", "Zutaten:", "Préparation") split
// the rest. Without such lines, the lines that begin with an amount are the
// ingredients, the lines after the first of them the directions, and those
// before it the description.
class PlainTextReader
{
public:
    // A recipe without a title when the text holds neither ingredients nor
    // directions.
    static ImportedRecipe read(const QString& text);
    // Whether a line reads as an ingredient with its amount first
    // ("200 g flour", "1½ cups milk", "- 2 eggs").
    static bool beginsWithAmount(const QString& line);

private:
    static QString withoutBullet(const QString& line);
    static QString withoutNumbering(const QString& line);
    static bool readBySections(const QStringList& lines, ImportedRecipe& recipe);
    static void readByAmounts(const QStringList& lines, ImportedRecipe& recipe);
};
