#include "shopping/shoppingingredientreader.h"

#include "quantity/decimalmark.h"

#include "files/safefile.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipefile.h"
#include "recipe/recipeparser.h"
#include "recipe/recipeservings.h"

#include <QBuffer>
#include <QByteArrayView>

namespace {

ShoppingIngredient fromReading(const IngredientReading& reading)
{
    ShoppingIngredient ingredient{reading.amount, reading.unit, reading.name, reading.written};
    if (ingredient.amount.isText())
        ingredient.unit.clear(); // a text amount holds its unit ("a few sprigs")
    return ingredient;
}

ShoppingIngredient withAmount(const QString& amount, const QString& unit, const QString& name)
{
    const QString written = unit.isEmpty() ? amount : amount + QLatin1Char(' ') + unit;
    ShoppingIngredient ingredient{Amount::parse(amount), unit, name, written};
    if (!ingredient.amount.isNumber()) {
        // "a pinch salt": the words before the name are kept as one text.
        ingredient.amount = Amount::text(written);
        ingredient.unit.clear();
    }
    return ingredient;
}

// A recipe that writes "0,5" or "1,5 l" shows its sums with a decimal comma.
QChar decimalMarkOf(const QList<ShoppingIngredient>& ingredients)
{
    QStringList written;
    for (const ShoppingIngredient& ingredient : ingredients)
        written.append(ingredient.written);
    return DecimalMark::of(written);
}

} // namespace

ShoppingRecipe ShoppingIngredientReader::read(const QString& path)
{
    ShoppingRecipe recipe;
    recipe.path = path;
    recipe.title = RecipeFile::stemOf(path);
    if (!path.endsWith(RecipeFile::suffix))
        return recipe;
    const QByteArray bytes = SafeFile::readAll(path);
    if (bytes.isNull())
        return recipe;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const ParsedRecipe parsed = parseRecipe(&buffer);
    buffer.seek(0);
    recipe.readable = true;
    if (!parsed.title.isEmpty())
        recipe.title = parsed.title;
    recipe.servings = RecipeServings::of(parsed.otherMeta);
    recipe.ingredients = readIngredients(&buffer);
    recipe.decimalMark = decimalMarkOf(recipe.ingredients);
    return recipe;
}

QList<ShoppingIngredient> ShoppingIngredientReader::readIngredients(QIODevice* device)
{
    QList<ShoppingIngredient> ingredients;
    IngredientSections::forEachLine(device, [&ingredients](QByteArrayView line) {
        ingredients += fromLineAll(QString::fromUtf8(line));
    });
    return ingredients;
}

QList<ShoppingIngredient> ShoppingIngredientReader::fromLineAll(const QString& line)
{
    QList<ShoppingIngredient> ingredients;
    for (const IngredientReading& reading : IngredientSections::readAllListed(line))
        ingredients.append(fromReading(reading));
    return ingredients;
}

std::optional<ShoppingIngredient> ShoppingIngredientReader::fromLine(const QString& line)
{
    const std::optional<IngredientReading> reading = IngredientSections::readListed(line);
    if (!reading)
        return std::nullopt;
    return fromReading(*reading);
}

ShoppingIngredient ShoppingIngredientReader::fromParsed(const Ingredient& parsed)
{
    const Amount whole = Amount::parse(parsed.amount);
    const Amount fraction = Amount::parse(parsed.unit);
    const bool oneAmount = whole.isNumber() && !whole.isRange() && whole.low().isWhole() &&
                           fraction.isNumber() && !fraction.isRange() &&
                           fraction.low() < Fraction(1);
    if (!oneAmount)
        return withAmount(parsed.amount, parsed.unit, parsed.ingredient);
    const QString amountText = parsed.amount + QLatin1Char(' ') + parsed.unit;
    const Amount sum = whole.plus(fraction);
    const qsizetype blank = parsed.ingredient.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {sum, QString(), parsed.ingredient, amountText};
    const QString unit = parsed.ingredient.first(blank);
    return {sum, unit, parsed.ingredient.sliced(blank + 1).trimmed(),
            amountText + QLatin1Char(' ') + unit};
}
