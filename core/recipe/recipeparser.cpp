#include "recipe/recipeparser.h"

#include "recipe/ingredientmatcher.h"
#include "recipe/recipesections.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QRegularExpression>
#include <QtDebug>

#include <cstring>

namespace {

constexpr qint64 maxLineLength = 2000;

enum class Section { None, Ingredients, Metadata };

// Compiling the pattern costs about a hundred times more than matching it, so
// every thread keeps its own compiled copy; nothing is shared between threads.
const QRegularExpression& ingredientPattern()
{
    thread_local const QRegularExpression pattern(
        QStringLiteral(" *[-\\*] +([^ ,]+) +([^ ,]+) +([^,]+)"));
    return pattern;
}

void addMetadataLine(QByteArrayView line, ParsedRecipe& recipe)
{
    const void* colonAt = std::memchr(line.data(), ':', std::size_t(line.size()));
    if (!colonAt)
        return;
    const qsizetype colon = static_cast<const char*>(colonAt) - line.data();
    const QString key = QString::fromUtf8(line.first(colon)).trimmed();
    const QString value = QString::fromUtf8(line.sliced(colon + 1)).trimmed();
    if (value.isEmpty())
        return;
    if (key == QLatin1String("tags")) {
        // Blank pieces survive the split and trim to empty tags ('a, ,b').
        const QStringList pieces = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& piece : pieces)
            recipe.tags.append(piece.trimmed());
        return;
    }
    recipe.otherMeta[key].append(value);
}

void addIngredientLine(QByteArrayView line, ParsedRecipe& recipe)
{
    // Without a bullet the pattern cannot match; UTF-8 encodes '-' and '*'
    // as themselves only, so the raw bytes tell as much as the decoded text.
    const auto size = std::size_t(line.size());
    if (!std::memchr(line.data(), '-', size) && !std::memchr(line.data(), '*', size))
        return;
    Ingredient ingredient = matchIngredientLine(QString::fromUtf8(line));
    if (!ingredient.unit.isEmpty() && !ingredient.ingredient.isEmpty())
        recipe.ingredients.append(std::move(ingredient));
}

// Other level-three headings ("### Notes") belong to the section they stand in.
void addSectionLine(Section section, QByteArrayView line, ParsedRecipe& recipe)
{
    if (section == Section::Ingredients)
        addIngredientLine(line, recipe);
    else if (section == Section::Metadata)
        addMetadataLine(line, recipe);
}

} // namespace

Ingredient parseIngredientLine(const QString& line)
{
    const QRegularExpressionMatch match = ingredientPattern().match(line);
    if (!match.hasMatch() || match.lastCapturedIndex() != 3)
        return {};
    return {match.captured(1).trimmed(), match.captured(2).trimmed(), match.captured(3).trimmed()};
}

ParsedRecipe parseRecipe(QIODevice* device)
{
    return parseRecipe(device, {});
}

ParsedRecipe parseRecipe(QIODevice* device, const std::function<void(QByteArrayView)>& eachLine)
{
    if (!device) {
        qDebug("no input");
        return {};
    }
    if (!device->isReadable())
        return {};

    ParsedRecipe recipe;
    Section section = Section::None;
    // One buffer for every line: this is the same read as readLine(2000),
    // which delivers pieces of the same size, without a new array per line.
    char buffer[maxLineLength];
    while (!device->atEnd()) {
        const qint64 length = device->readLine(buffer, maxLineLength);
        // A read error, or a device with nothing to give yet although it is
        // not at its end (a pipe): either may never reach its end.
        if (length <= 0)
            break;
        // Classification works on the raw bytes as read: no leading blanks are
        // skipped and a byte-order mark makes the first line a content line.
        const QByteArrayView line(buffer, length);
        if (eachLine)
            eachLine(line);
        switch (RecipeSections::headingOf(line)) {
        case RecipeSections::Heading::Title:
            recipe.title = QString::fromUtf8(line.sliced(RecipeSections::titleStart)).trimmed();
            break;
        case RecipeSections::Heading::Ingredients:
            section = Section::Ingredients;
            break;
        case RecipeSections::Heading::Directions:
            section = Section::None;
            break;
        case RecipeSections::Heading::Metadata:
            section = Section::Metadata;
            break;
        case RecipeSections::Heading::None:
        case RecipeSections::Heading::Other:
            addSectionLine(section, line, recipe);
            break;
        }
    }
    return recipe;
}
