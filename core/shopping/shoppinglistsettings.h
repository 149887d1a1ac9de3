#pragma once

class ShoppingList;
class QString;

// Keeps the shopping list between runs in a settings group of its own: the
// recipes with their servings or factors, and the ticks. Whatever the group
// holds, loading never fails: what cannot be understood is left out.
class ShoppingListSettings
{
public:
    static QString group();
    // Replaces the list by the kept one, reading every recipe again.
    static void load(ShoppingList& list);
    static void save(const ShoppingList& list);
};
