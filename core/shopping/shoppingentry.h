#pragma once

#include "quantity/fraction.h"
#include "recipe/recipeservings.h"
#include "shopping/shoppingrecipe.h"

// One recipe on the shopping list with the amount wanted of it: a number of
// servings when the recipe names its own, otherwise a factor in halves.
struct ShoppingEntry
{
    static constexpr int minServings = RecipeServings::minServings;
    static constexpr int maxServings = RecipeServings::maxServings;
    static constexpr int minFactorHalves = RecipeServings::minFactorHalves;
    static constexpr int maxFactorHalves = RecipeServings::maxFactorHalves;

    ShoppingRecipe recipe;
    int wantedServings = 0; // used when the recipe names servings
    int factorHalves = 2;   // used otherwise; 2 is ×1

    bool hasServings() const { return recipe.servings > 0; }
    // The servings wanted, or the factor in halves.
    int amountWanted() const
    {
        if (hasServings())
            return wantedServings > 0 ? wantedServings : recipe.servings;
        return factorHalves;
    }
    int minimumAmount() const
    {
        return hasServings() ? RecipeServings::minServings : RecipeServings::minFactorHalves;
    }
    int maximumAmount() const
    {
        return hasServings() ? RecipeServings::maxServings : RecipeServings::maxFactorHalves;
    }
    Fraction factor() const
    {
        if (hasServings())
            return Fraction(amountWanted(), recipe.servings);
        return Fraction(factorHalves, 2);
    }
};
