#pragma once

#include <QString>

// One parsed ingredient line. All three fields are null when the line is not
// an ingredient line.
struct Ingredient
{
    QString amount;     // first word after the bullet ('1', '200', '½')
    QString unit;       // second word after the bullet ('kg', 'pcs')
    QString ingredient; // the rest up to the first comma: the ingredient's name

    friend bool operator==(const Ingredient& a, const Ingredient& b)
    {
        return a.amount == b.amount && a.unit == b.unit && a.ingredient == b.ingredient;
    }
    friend bool operator!=(const Ingredient& a, const Ingredient& b) { return !(a == b); }
};
