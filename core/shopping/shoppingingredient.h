#pragma once

#include "quantity/amount.h"

#include <QString>

// One ingredient of a recipe as the shopping list reads it.
struct ShoppingIngredient
{
    Amount amount;
    QString unit;    // empty for "2 eggs" and "salt"
    QString name;    // "plain flour"
    QString written; // amount and unit exactly as the file has them ("1 1/2 cup")
};
