#include "import/plaintextreader.h"

#include "import/importtext.h"
#include "import/sectionnames.h"
#include "recipe/ingredientreading.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& numberedStep()
{
    // "1. Preheat", "2) Stir", "Step 3: Bake", "Schritt 1 -"
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(?:step|schritt|étape|etape|paso|passo)\\s*)?\\d{1,3}\\s*[.):-]\\s+"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

constexpr int maxIngredientWords = 12;

// "Serves 4", "Servings: 4", "Für 4 Personen", "Pour 4 personnes", "4 人份",
// "4人分": the number, or 0 for any other line.
int servingsIn(const QString& line)
{
    static const QRegularExpression pattern(
        QStringLiteral(
            "^(serves|servings|serving size|makes|yields?|portions?|portionen|porciones|"
            "porzioni|für|pour|para|per|voor|for|rendimento|rende|персоны|порции)?"
            "\\s*[:：]?\\s*(\\d{1,3})\\s*"
            "(servings?|portions?|people|persons?|personen|portionen|personnes|"
            "porciones|personas|porzioni|persone|porções|pessoas|porcje|osób|osoby|"
            "adag|kişilik|annosta|henkilölle|portioner|personer|pers\\.?|人份|人分|人前|份)?"
            "\\s*[.!)]?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QString text = line.simplified();
    if (text.size() > 40)
        return 0;
    const QRegularExpressionMatch match = pattern.match(text);
    // A bare number is no servings line; "for 4" or "4 servings" is.
    if (!match.hasMatch() || (match.capturedLength(1) == 0 && match.capturedLength(3) == 0))
        return 0;
    // "Für 4" alone could begin anything; with a word for people it is
    // servings, and "Serves 4" is on its own.
    static const QStringList alone = {
        QStringLiteral("serves"),    QStringLiteral("servings"),  QStringLiteral("serving size"),
        QStringLiteral("makes"),     QStringLiteral("yield"),     QStringLiteral("yields"),
        QStringLiteral("portionen"), QStringLiteral("portions"),  QStringLiteral("porciones"),
        QStringLiteral("porzioni"),  QStringLiteral("rendimento")};
    if (match.capturedLength(3) == 0 && !alone.contains(match.captured(1).toLower()))
        return 0;
    return match.captured(2).toInt();
}

} // namespace

QString PlainTextReader::withoutBullet(const QString& line)
{
    QString text = line.trimmed();
    while (!text.isEmpty() && QStringLiteral("-*•·–▪◦").contains(text.front()) &&
           (text.size() == 1 || text.at(1).isSpace()))
        text = text.mid(1).trimmed();
    return text;
}

QString PlainTextReader::withoutNumbering(const QString& line)
{
    QString text = withoutBullet(line);
    text.remove(numberedStep());
    return text.trimmed();
}

bool PlainTextReader::beginsWithAmount(const QString& line)
{
    const QString text = withoutBullet(line);
    if (text.isEmpty() || numberedStep().match(text).hasMatch())
        return false;
    if (text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size() > maxIngredientWords)
        return false;
    const IngredientReading reading = readIngredientLine(text);
    return reading.amount.isNumber() && !reading.written.isEmpty() &&
           text.startsWith(reading.written) && !reading.name.isEmpty();
}

bool PlainTextReader::readBySections(const QStringList& lines, ImportedRecipe& recipe)
{
    enum class Section { Before, Ingredients, Directions };
    Section section = Section::Before;
    bool found = false;
    QStringList description;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (SectionNames::isIngredients(line)) {
            section = Section::Ingredients;
            found = true;
            continue;
        }
        if (SectionNames::isDirections(line)) {
            section = Section::Directions;
            found = true;
            continue;
        }
        switch (section) {
        case Section::Before:
            description.append(line);
            break;
        case Section::Ingredients:
            // "For the sauce:" names a group of ingredients, not one of them.
            if (!line.endsWith(QLatin1Char(':')) || beginsWithAmount(line))
                recipe.ingredients.append(ImportText::ingredient(withoutBullet(line)));
            break;
        case Section::Directions: {
            const QString step = ImportText::line(withoutNumbering(line));
            if (!step.isEmpty())
                recipe.steps.append({QString(), step});
            break;
        }
        }
    }
    if (found)
        recipe.description = description.join(QLatin1String("\n\n"));
    return found;
}

void PlainTextReader::readByAmounts(const QStringList& lines, ImportedRecipe& recipe)
{
    QStringList description;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (beginsWithAmount(line))
            recipe.ingredients.append(ImportText::ingredient(withoutBullet(line)));
        else if (recipe.ingredients.isEmpty())
            description.append(ImportText::line(line));
        else
            recipe.steps.append({QString(), ImportText::line(withoutNumbering(line))});
    }
    recipe.description = description.join(QLatin1String("\n\n"));
}

ImportedRecipe PlainTextReader::read(const QString& text)
{
    ImportedRecipe recipe;
    QStringList lines =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
        lines.removeFirst();
    if (lines.isEmpty())
        return recipe;
    QString title = lines.takeFirst().trimmed();
    while (title.startsWith(QLatin1Char('#')))
        title.remove(0, 1);
    title = ImportText::line(withoutBullet(title));
    // A servings line is the recipe's servings, not part of its text.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int servings = servingsIn(withoutBullet(lines.at(i)));
        if (servings <= 0)
            continue;
        if (recipe.yield.isEmpty())
            recipe.yield = QString::number(servings);
        lines.removeAt(i--);
    }
    if (!readBySections(lines, recipe))
        readByAmounts(lines, recipe);
    recipe.steps.removeIf([](const ImportedStep& step) { return step.text.isEmpty(); });
    if (!recipe.ingredients.isEmpty() || !recipe.steps.isEmpty())
        recipe.title = title;
    return recipe;
}
