#pragma once

// What every imported recipe must guarantee, whatever the input: the file
// written from it parses back to its own title, and no text holds a line
// break where the format needs one line.
#include "import/importedrecipe.h"
#include "import/recipemarkdownwriter.h"
#include "recipe/recipeparser.h"

#include <QBuffer>

#include <cstdlib>

inline void checkImported(const ImportedRecipe& recipe)
{
    auto check = [](bool condition) {
        if (!condition)
            std::abort();
    };
    check(!recipe.title.contains(QLatin1Char('\n')));
    for (const QString& line : recipe.ingredients)
        check(!line.contains(QLatin1Char('\n')));
    for (const ImportedStep& step : recipe.steps)
        check(!step.section.contains(QLatin1Char('\n')));
    QByteArray text = toRecipeMarkdown(recipe).toUtf8();
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    const ParsedRecipe parsed = parseRecipe(&buffer);
    check(parsed.title == RecipeMarkdownWriter::titleOf(recipe));
    check(parsed.tags == RecipeMarkdownWriter::writtenTags(recipe.tags));
}
