#pragma once

#include <QLatin1String>
#include <QString>

// What makes a file a recipe: its name ends in ".recipe.md".
class RecipeFile
{
public:
    static constexpr QLatin1String suffix{".recipe.md"};

    // "*.recipe.md", for directory walks and file dialogs.
    static QString nameFilter() { return QLatin1Char('*') + QString(suffix); }

    // The file's name without the suffix ("Soups/lentil.recipe.md" gives
    // "lentil"), what a recipe without a title line is called.
    static QString stemOf(const QString& path);
};
