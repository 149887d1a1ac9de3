#include "shopping/shoppingingredientreader.h"

#include "files/safefile.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipeparser.h"
#include "recipe/recipeservings.h"

#include <QBuffer>
#include <QByteArrayView>
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

// The words of a bullet's text, split at blanks as the parser splits them.
QStringList wordsOf(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The text after a bullet ("-" or "*" after leading blanks, then a blank),
// or nothing when the line is no bullet.
std::optional<QString> bulletText(const QString& line)
{
    qsizetype at = 0;
    while (at < line.size() && (line[at] == QLatin1Char(' ') || line[at] == QLatin1Char('\t')))
        ++at;
    if (at + 1 >= line.size())
        return std::nullopt;
    if (line[at] != QLatin1Char('-') && line[at] != QLatin1Char('*'))
        return std::nullopt;
    if (line[at + 1] != QLatin1Char(' '))
        return std::nullopt;
    return line.sliced(at + 2).trimmed();
}

bool isDecimalComma(const QString& word)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]+,[0-9]+$"));
    return pattern.match(word).hasMatch();
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

} // namespace

ShoppingRecipe ShoppingIngredientReader::read(const QString& path)
{
    ShoppingRecipe recipe;
    recipe.path = path;
    recipe.title = fileTitle(path);
    if (!path.endsWith(recipeSuffix))
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
    return recipe;
}

QList<ShoppingIngredient> ShoppingIngredientReader::readIngredients(QIODevice* device)
{
    QList<ShoppingIngredient> ingredients;
    IngredientSections::forEachLine(device, [&ingredients](QByteArrayView line) {
        if (auto ingredient = fromLine(QString::fromUtf8(line)))
            ingredients.append(*ingredient);
    });
    return ingredients;
}

std::optional<ShoppingIngredient> ShoppingIngredientReader::fromLine(const QString& line)
{
    const std::optional<IngredientReading> reading = IngredientSections::readListed(line);
    if (!reading)
        return std::nullopt;
    ShoppingIngredient ingredient{reading->amount, reading->unit, reading->name, reading->written};
    if (ingredient.amount.isText())
        ingredient.unit.clear(); // a text amount holds its unit ("a pinch")
    return ingredient;
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

std::optional<ShoppingIngredient> ShoppingIngredientReader::fromOtherBullet(const QString& line)
{
    const std::optional<QString> text = bulletText(line);
    if (!text || text->isEmpty())
        return std::nullopt;
    const qsizetype firstBlank = text->indexOf(QLatin1Char(' '));
    const QString firstWord = firstBlank < 0 ? *text : text->first(firstBlank);
    if (isDecimalComma(firstWord)) {
        // The comma belongs to the amount; a later one starts the comment.
        const QString rest = firstBlank < 0 ? QString() : text->sliced(firstBlank + 1);
        const QStringList words = wordsOf(rest.section(QLatin1Char(','), 0, 0));
        if (words.isEmpty())
            return std::nullopt;
        if (words.size() == 1)
            return withAmount(firstWord, QString(), words.first());
        return withAmount(firstWord, words.first(), words.mid(1).join(QLatin1Char(' ')));
    }
    const QStringList words = wordsOf(text->section(QLatin1Char(','), 0, 0));
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    if (words.size() == 2 && Amount::parse(words.first()).isNumber())
        return withAmount(words.first(), QString(), words.last());
    return ShoppingIngredient{Amount(), QString(), words.join(QLatin1Char(' ')), QString()};
}
