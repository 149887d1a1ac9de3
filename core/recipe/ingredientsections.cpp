#include "recipe/ingredientsections.h"

#include "recipe/recipeparser.h"
#include "recipe/recipesections.h"

#include <QIODevice>

#include <utility>

namespace {

constexpr qint64 maxLineLength = 2000;

// A listed ingredient, when the text names one.
std::optional<IngredientReading> readNamed(const QString& text)
{
    IngredientReading reading = readIngredientLine(text);
    if (reading.name.isEmpty())
        return std::nullopt;
    return reading;
}

// A line that is no bullet but that the format's own rule reads as an
// ingredient (" *1 kg flour" has no blank after its star): what the rule
// found is the ingredient.
std::optional<IngredientReading> readUnbulleted(const QString& line)
{
    const Ingredient parsed = parseIngredientLine(line);
    if (parsed.unit.isEmpty() || parsed.ingredient.isEmpty())
        return std::nullopt;
    return readNamed(parsed.amount + QLatin1Char(' ') + parsed.unit + QLatin1Char(' ') +
                     parsed.ingredient);
}

} // namespace

void IngredientSections::forEachLine(QIODevice* device,
                                     const std::function<void(QByteArrayView)>& handle)
{
    if (!device || !device->isReadable())
        return;
    LineFollower sections;
    char buffer[maxLineLength];
    while (!device->atEnd()) {
        const qint64 length = device->readLine(buffer, maxLineLength);
        if (length <= 0)
            break;
        QByteArrayView line(buffer, length);
        if (sections.follow(line))
            handle(line);
    }
}

bool IngredientSections::LineFollower::follow(QByteArrayView& line)
{
    if (std::exchange(m_firstLine, false))
        line = RecipeSections::withoutByteOrderMark(line);
    switch (RecipeSections::headingOf(line)) {
    case RecipeSections::Heading::Title:
        return false;
    case RecipeSections::Heading::Ingredients:
        m_inIngredients = true;
        return false;
    case RecipeSections::Heading::Directions:
    case RecipeSections::Heading::Metadata:
        m_inIngredients = false;
        return false;
    case RecipeSections::Heading::None:
    case RecipeSections::Heading::Other:
        break;
    }
    return m_inIngredients;
}

QList<IngredientReading> IngredientSections::read(QIODevice* device)
{
    QList<IngredientReading> readings;
    forEachLine(device, [&readings](QByteArrayView line) {
        if (auto reading = readListed(line))
            readings.append(std::move(*reading));
    });
    return readings;
}

std::optional<IngredientReading> IngredientSections::readListed(QByteArrayView line)
{
    const qsizetype textStart = RecipeSections::listItemTextStart(line);
    if (textStart < 0)
        return readUnbulleted(QString::fromUtf8(line));
    return readNamed(QString::fromUtf8(line.sliced(textStart)));
}

QList<IngredientReading> IngredientSections::readAllListed(const QString& line)
{
    const qsizetype textStart = RecipeSections::listItemTextStart(line);
    if (textStart < 0) {
        const std::optional<IngredientReading> unbulleted = readUnbulleted(line);
        return unbulleted ? QList<IngredientReading>{*unbulleted} : QList<IngredientReading>();
    }
    QList<IngredientReading> readings = readIngredientsOnLine(line.sliced(textStart));
    readings.removeIf([](const IngredientReading& reading) { return reading.name.isEmpty(); });
    return readings;
}

std::optional<IngredientReading> IngredientSections::readListed(const QString& line)
{
    const qsizetype textStart = RecipeSections::listItemTextStart(line);
    if (textStart < 0)
        return readUnbulleted(line);
    return readNamed(line.sliced(textStart));
}
