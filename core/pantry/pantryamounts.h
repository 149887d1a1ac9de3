#pragma once

#include "quantity/amount.h"
#include "recipe/ingredientreading.h"
#include "shopping/shoppingitem.h"

#include <QList>
#include <QString>

// What the pantry leaves to buy of one shopping row.
struct PantryCoverage
{
    bool held = false;    // the pantry lists the ingredient
    bool covered = false; // nothing is left to buy
    QString toBuy;        // "250 g", the amounts still to buy; empty when none is given
    QString inPantry;     // "500 g", what the pantry holds; empty for "enough"
    QList<ShoppingQuantity> remaining; // the number amounts still to buy
};

// The arithmetic between the pantry and the amounts recipes need, exact in
// fractions. Amounts count against each other where their units add up on
// the shopping list (g and kg, ml and l, the same measure), and a count
// ("3 onions") against pieces ("2 pcs onions"); cups and grams never do.
class PantryAmounts
{
public:
    // The key under which an amount in `unit` counts against another.
    static QString unitKey(const QString& unit);

    // What is left to buy of `item` with the pantry holding `held` of it.
    // An item held without an amount is "enough": nothing is left.
    static PantryCoverage cover(const ShoppingItem& item, const QList<IngredientReading>& held);

    // The item's text with `amount` `unit` more of it; empty when the two do
    // not add up (then the amount is a line of its own).
    static QString withMore(const IngredientReading& item, const Amount& amount,
                            const QString& unit);
    // The item's text with `amount` `unit` less, never below zero; empty when
    // they do not count against each other. `usedUp` tells when none is left.
    static QString withLess(const IngredientReading& item, const Amount& amount,
                            const QString& unit, bool* usedUp);

    // "2 kg flour, type 405".
    static QString itemText(const QString& amount, const IngredientReading& item);
};
