#include "cooking/cookingrecipe.h"

#include "cooking/directionsreader.h"
#include "cooking/stepingredientmatcher.h"
#include "cooking/steptextscaler.h"
#include "files/safefile.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipefile.h"
#include "recipe/recipeparser.h"
#include "recipe/recipeservings.h"

#include <QBuffer>

CookingRecipe CookingRecipe::read(const QString& path)
{
    const QByteArray bytes = SafeFile::readAll(path);
    CookingRecipe recipe = fromText(QString::fromUtf8(bytes), RecipeFile::stemOf(path));
    recipe.m_path = path;
    return recipe;
}

CookingRecipe CookingRecipe::fromText(const QString& text, const QString& fallbackTitle)
{
    CookingRecipe recipe;
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ParsedRecipe parsed = parseRecipe(&buffer);
    recipe.m_title = parsed.title.isEmpty() ? fallbackTitle : parsed.title;
    recipe.m_servings = RecipeServings::of(parsed.otherMeta);
    buffer.seek(0);
    recipe.readIngredients(&buffer);
    recipe.readSteps(text);
    return recipe;
}

QString CookingRecipe::stepText(int step, const Fraction& factor) const
{
    if (step < 0 || step >= m_steps.size())
        return QString();
    const CookingStep& chosen = m_steps[step];
    return StepTextScaler(m_names).scaled(chosen.text, factor, chosen.durations);
}

void CookingRecipe::readIngredients(QIODevice* device)
{
    m_ingredients = IngredientSections::read(device);
    for (const IngredientReading& reading : std::as_const(m_ingredients))
        m_names.append(reading.name);
}

void CookingRecipe::readSteps(const QString& text)
{
    m_steps = DirectionsReader::read(text);
    const StepIngredientMatcher matcher(m_names);
    for (CookingStep& step : m_steps)
        step.ingredients = matcher.matchesIn(step.text);
}
