#include "cooking/cookingrecipe.h"

#include "cooking/directionsreader.h"
#include "cooking/stepingredientmatcher.h"
#include "cooking/steptextscaler.h"
#include "files/safefile.h"
#include "recipe/recipeparser.h"
#include "recipe/recipeservings.h"

#include <QBuffer>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString recipeSuffix = QStringLiteral(".recipe.md");

QString fileTitle(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(recipeSuffix))
        name.chop(recipeSuffix.size());
    return name;
}

// The text after a bullet ("-", "*" or "+" and a blank), or a null string.
QString bulletText(const QString& line)
{
    static const QRegularExpression bullet(QStringLiteral("^[ \\t]*[-*+][ \\t]+(.*)$"));
    const QRegularExpressionMatch match = bullet.match(line);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

CookingRecipe CookingRecipe::read(const QString& path)
{
    const QByteArray bytes = SafeFile::readAll(path);
    CookingRecipe recipe = fromText(QString::fromUtf8(bytes), fileTitle(path));
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
    recipe.readIngredients(text);
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

void CookingRecipe::readIngredients(const QString& text)
{
    // The sections as the parser tells them apart, line by line.
    bool inIngredients = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("# ")))
            continue;
        if (line.startsWith(QLatin1String("### Ingred")) ||
            line.startsWith(QLatin1String("### Direc")) ||
            line.startsWith(QLatin1String("### Meta"))) {
            inIngredients = line.startsWith(QLatin1String("### Ingred"));
            continue;
        }
        if (!inIngredients)
            continue;
        const Ingredient parsed = parseIngredientLine(line);
        const bool accepted = !parsed.unit.isEmpty() && !parsed.ingredient.isEmpty();
        const QString bullet = bulletText(line);
        if (!accepted && bullet.isNull())
            continue;
        const IngredientReading reading = readIngredientLine(accepted ? line : bullet);
        if (reading.name.isEmpty())
            continue;
        m_ingredients.append(reading);
        m_names.append(reading.name);
    }
}

void CookingRecipe::readSteps(const QString& text)
{
    m_steps = DirectionsReader::read(text);
    const StepIngredientMatcher matcher(m_names);
    for (CookingStep& step : m_steps)
        step.ingredients = matcher.matchesIn(step.text);
}
