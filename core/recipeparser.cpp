#include "recipeparser.h"

#include <QByteArray>
#include <QIODevice>
#include <QRegularExpression>
#include <QtDebug>

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

void addMetadataLine(const QByteArray& line, ParsedRecipe& recipe)
{
    const int colon = line.indexOf(':');
    if (colon < 0)
        return;
    const QString key = QString::fromUtf8(line.left(colon)).trimmed();
    const QString value = QString::fromUtf8(line.mid(colon + 1)).trimmed();
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

void addIngredientLine(const QByteArray& line, ParsedRecipe& recipe)
{
    Ingredient ingredient = parseIngredientLine(QString::fromUtf8(line));
    if (!ingredient.unit.isEmpty() && !ingredient.ingredient.isEmpty())
        recipe.ingredients.append(std::move(ingredient));
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
    if (!device) {
        qDebug("no input");
        return {};
    }
    if (!device->isReadable())
        return {};

    ParsedRecipe recipe;
    Section section = Section::None;
    while (!device->atEnd()) {
        // Classification works on the raw bytes as read: no leading blanks are
        // skipped and a byte-order mark makes the first line a content line.
        const QByteArray line = device->readLine(maxLineLength);
        if (line.startsWith("# ")) {
            recipe.title = QString::fromUtf8(line.mid(2)).trimmed();
        } else if (line.startsWith("### Ingred")) {
            section = Section::Ingredients;
        } else if (line.startsWith("### Direc")) {
            section = Section::None;
        } else if (line.startsWith("### Meta")) {
            section = Section::Metadata;
        } else if (section == Section::Ingredients) {
            addIngredientLine(line, recipe);
        } else if (section == Section::Metadata) {
            addMetadataLine(line, recipe);
        }
    }
    return recipe;
}
