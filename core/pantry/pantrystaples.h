#pragma once

#include <QString>

// What every kitchen has: water, salt, pepper, oil and sugar, in the
// languages the ingredient reader knows. No recipe counts them as missing
// from the pantry. A short table, not a setting to keep up.
class PantryStaples
{
public:
    // Without regard to case, accents and a plural ending ("Salz", "sel",
    // "盐", "huiles").
    static bool isStaple(const QString& name);
};
