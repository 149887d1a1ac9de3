#include "cooking/cookingrecipe.h"

#include "cooking/directionsreader.h"
#include "cooking/stepingredientmatcher.h"
#include "cooking/steptextscaler.h"
#include "files/safefile.h"
#include "quantity/decimalmark.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipefile.h"
#include "recipe/recipeparser.h"
#include "recipe/recipesections.h"
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
    return StepTextScaler(m_names).scaled(chosen.text, factor, chosen.durations, m_decimalMark);
}

// The ingredients as IngredientSections reads them, and the sub-headings
// between them.
void CookingRecipe::readIngredients(QIODevice* device)
{
    QStringList written;
    IngredientSections::forEachLine(device, [this, &written](QByteArrayView line) {
        if (auto reading = IngredientSections::readListed(line)) {
            written.append(reading->written);
            m_names.append(reading->name);
            m_ingredients.append(std::move(*reading));
            return;
        }
        const QString heading = RecipeSections::subHeadingOf(QString::fromUtf8(line));
        if (!heading.isEmpty())
            m_ingredientHeadings.insert(int(m_ingredients.size()), heading);
    });
    m_decimalMark = DecimalMark::of(written);
}

void CookingRecipe::readSteps(const QString& text)
{
    DirectionsReader::Directions directions = DirectionsReader::readAll(text);
    m_steps = std::move(directions.steps);
    m_notes = std::move(directions.notes);
    const StepIngredientMatcher matcher(m_names);
    for (CookingStep& step : m_steps)
        step.ingredients = matcher.matchesIn(step.text);
}
