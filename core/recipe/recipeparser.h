#pragma once

#include "recipe/ingredient.h"
#include "recipe/parsedrecipe.h"

#include <QByteArrayView>

#include <functional>

class QIODevice;
class QString;

// Decides whether `line` is an ingredient bullet (" * 1 kg flour, sifted") and
// splits it into amount, unit and name. The line may still carry its terminator.
Ingredient parseIngredientLine(const QString& line);

// Reads a recipe from the current position of an already opened device to its
// end. The device is neither opened, seeked nor closed here.
ParsedRecipe parseRecipe(QIODevice* device);

// The same, also handing every line as read (terminator included) to
// `eachLine`, so that other readers of the file's lines share this one read.
ParsedRecipe parseRecipe(QIODevice* device, const std::function<void(QByteArrayView)>& eachLine);
