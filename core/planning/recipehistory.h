#pragma once

#include <QDate>
#include <QStringList>

// What the cooking journal says of one recipe.
struct RecipeHistory
{
    int timesCooked = 0;
    QDate lastCooked;
    // The stars of the latest entry that gave any; 0 when none did.
    int latestStars = 0;
    // Oldest first.
    QStringList notes;
};
