#include "recipe/ingredientsections.h"

#include "recipe/recipeparser.h"

#include <QIODevice>

namespace {

constexpr qint64 maxLineLength = 2000;

// A Markdown bullet: "-", "*" or "+" after leading blanks, then a blank.
bool isBullet(QStringView line)
{
    qsizetype at = 0;
    while (at < line.size() && (line[at] == QLatin1Char(' ') || line[at] == QLatin1Char('\t')))
        ++at;
    if (at + 1 >= line.size())
        return false;
    const QChar mark = line[at];
    const bool bulletMark =
        mark == QLatin1Char('-') || mark == QLatin1Char('*') || mark == QLatin1Char('+');
    return bulletMark && (line[at + 1] == QLatin1Char(' ') || line[at + 1] == QLatin1Char('\t'));
}

} // namespace

void IngredientSections::forEachLine(QIODevice* device,
                                     const std::function<void(QByteArrayView)>& handle)
{
    if (!device || !device->isReadable())
        return;
    bool inIngredients = false;
    char buffer[maxLineLength];
    while (!device->atEnd()) {
        const qint64 length = device->readLine(buffer, maxLineLength);
        if (length <= 0)
            break;
        const QByteArrayView line(buffer, length);
        if (line.startsWith("# "))
            continue;
        if (line.startsWith("### Ingred") || line.startsWith("### Direc") ||
            line.startsWith("### Meta")) {
            inIngredients = line.startsWith("### Ingred");
            continue;
        }
        if (inIngredients)
            handle(line);
    }
}

QList<IngredientReading> IngredientSections::read(QIODevice* device)
{
    QList<IngredientReading> readings;
    forEachLine(device, [&readings](QByteArrayView line) {
        if (auto reading = readListed(QString::fromUtf8(line)))
            readings.append(*reading);
    });
    return readings;
}

std::optional<IngredientReading> IngredientSections::readListed(const QString& line)
{
    QString listed = line;
    if (!isBullet(line)) {
        // Not a bullet, but the format's rule finds one further on: what it
        // found is the ingredient.
        const Ingredient parsed = parseIngredientLine(line);
        if (parsed.unit.isEmpty() || parsed.ingredient.isEmpty())
            return std::nullopt;
        listed =
            parsed.amount + QLatin1Char(' ') + parsed.unit + QLatin1Char(' ') + parsed.ingredient;
    }
    IngredientReading reading = readIngredientLine(listed);
    if (reading.name.isEmpty())
        return std::nullopt;
    return reading;
}
