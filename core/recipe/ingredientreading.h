#pragma once

#include "quantity/amount.h"

#include <QList>
#include <QString>

// One ingredient line as cooks actually write it, read for what goes beyond
// the format's own three-word rule: shopping, finding by ingredient, cooking
// and importing. "~150g (1/3 lb) bacon cubes" is 150 g of "bacon cubes" with
// the note "1/3 lb"; "白蘑菇 200 克" is 200 克 of "白蘑菇"; "salt to taste" is
// the text amount "to taste" of "salt".
struct IngredientReading
{
    Amount amount;   // none, a number or range, or words ("a pinch", "to taste")
    QString unit;    // as written, trimmed; empty when the line names none
    QString name;    // the ingredient, without notes or markup
    QString note;    // what stood in parentheses or after a comma
    QString written; // the amount and unit as the line writes them ("500g", "ca. 200 g")
};

// Reads a line of an ingredients section, with or without its bullet and
// line terminator. Takes time linear in the line's length; any text is
// accepted, and a line that names nothing gives an empty reading.
IngredientReading readIngredientLine(const QString& line);

// Every ingredient of a line that names two or more, each after its own
// amount and joined by "，", "、" or " and " ("青椒 2 条，红椒 1 条"); a line
// that names one gives what readIngredientLine gives.
QList<IngredientReading> readIngredientsOnLine(const QString& line);
