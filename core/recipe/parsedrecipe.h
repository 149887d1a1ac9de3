#pragma once

#include "recipe/ingredient.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Everything structured that one recipe file yields.
struct ParsedRecipe
{
    QString title;                        // the last title line, trimmed; empty when none
    QList<Ingredient> ingredients;        // accepted ingredient lines, in file order
    QStringList tags;                     // in file order; repeated tags stay repeated
    QMap<QString, QStringList> otherMeta; // every metadata key but "tags" → its values
};
