#pragma once

#include "recipe/ingredientreading.h"

#include <QHash>
#include <QList>
#include <QString>

// The pantry's items looked up by name: the same name rule as the shopping
// list's rows, so "onion" finds "onions", "Zwiebel" finds "Zwiebeln", without
// regard to case and accents.
class PantryStock
{
public:
    PantryStock() = default;
    explicit PantryStock(const QList<IngredientReading>& items);

    bool isEmpty() const { return m_items.isEmpty(); }
    // The pantry's items of that name, in file order.
    QList<IngredientReading> itemsNamed(const QString& name) const;
    // Whether a recipe can count the ingredient as at hand: the pantry holds
    // some, or it is a staple.
    bool covers(const QString& name) const;

private:
    QList<IngredientReading> m_items;
    QHash<QString, QList<int>> m_itemsOfName; // folded name and its other forms
};
