#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// How many a recipe serves, and how far a cook may scale it: a number of
// servings when the recipe names its own, otherwise a factor in halves.
// Cooking and shopping keep the amount wanted within these limits.
class RecipeServings
{
public:
    static constexpr int minServings = 1;
    static constexpr int maxServings = 99;
    static constexpr int minFactorHalves = 1;  // ×½
    static constexpr int maxFactorHalves = 40; // ×20
    static constexpr int unscaledHalves = 2;   // ×1

    // The first number of "servings", "serves", "yield" or "portions" (keys
    // without regard to case, in that order of preference), when it is 1 to
    // 99; otherwise 0.
    static int of(const QMap<QString, QStringList>& metadata);
};
