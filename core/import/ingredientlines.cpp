#include "import/ingredientlines.h"

#include "import/sectionnames.h"

#include <QRegularExpression>

namespace {

constexpr qsizetype maxHeading = 80;

bool startsWithAmount(const QString& line)
{
    static const QRegularExpression amount(QStringLiteral("^[\\d½¼¾⅓⅔⅛⅜⅝⅞]"));
    return amount.match(line).hasMatch();
}

} // namespace

bool IngredientLines::isGroupHeading(const QString& line)
{
    if (line.size() < 2 || line.size() > maxHeading || startsWithAmount(line))
        return false;
    return line.endsWith(QLatin1Char(':')) || line.endsWith(QChar(0xFF1A));
}

QStringList IngredientLines::parted(const QString& line)
{
    static const QRegularExpression bullet(QStringLiteral("^[-–•·*]\\s"));
    static const QRegularExpression between(QStringLiteral("\\s[-–•·*]\\s"));
    if (!bullet.match(line).hasMatch())
        return {line};
    QStringList out;
    for (const QString& piece : line.mid(2).split(between)) {
        const QString text = piece.trimmed();
        if (!text.isEmpty())
            out.append(text);
    }
    return out;
}

QString IngredientLines::withoutDoubledUnit(const QString& line)
{
    // "200 g g sugar", "2 tbsp tbsp oil": the unit field and the unit again.
    static const QRegularExpression doubled(
        QStringLiteral("^([\\d½¼¾⅓⅔⅛.,/\\s-]+)(\\p{L}{1,6}\\.?)\\s+\\2(?=\\s|$)"),
        QRegularExpression::UseUnicodePropertiesOption);
    QString out = line;
    return out.replace(doubled, QStringLiteral("\\1\\2"));
}

QString IngredientLines::withPluralMended(const QString& line)
{
    if (!line.contains(QLatin1String("(s)")) && !line.contains(QLatin1String("(es)")))
        return line;
    static const QRegularExpression plural(QStringLiteral("(\\p{L})\\((e?s)\\)"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression amount(
        QStringLiteral("^\\s*(\\d+(?:[.,]\\d+)?)(\\s*/\\s*\\d+)?"));
    const QRegularExpressionMatch match = amount.match(line);
    // One or less reads in the singular, a larger amount in the plural.
    bool singular = false;
    if (match.hasMatch())
        singular = match.capturedLength(2) > 0 ||
                   match.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() <= 1;
    else
        singular = startsWithAmount(line);
    QString out = line;
    return out.replace(plural, singular ? QStringLiteral("\\1") : QStringLiteral("\\1\\2"));
}

QString IngredientLines::withoutListButton(const QString& line)
{
    static const QRegularExpression button(
        QStringLiteral("\\s*(?:\\+\\s*)?(?:add to (?:my )?(?:shopping )?list|"
                       "add to shopping cart|shopping list|auf die einkaufsliste|"
                       "zur einkaufsliste|ajouter à la liste de courses)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    QString out = line;
    return out.remove(button);
}

QString IngredientLines::mended(const QString& line)
{
    return withPluralMended(withoutDoubledUnit(withoutListButton(line))).simplified();
}

void IngredientLines::tidy(ImportedRecipe& recipe)
{
    // Sub-headings found before stand as group lines again, so that tidying
    // twice changes nothing.
    QStringList lines;
    for (qsizetype i = 0; i <= recipe.ingredients.size(); ++i) {
        for (const ImportedRecipe::Heading& each : std::as_const(recipe.ingredientHeadings)) {
            if (each.before == i)
                lines.append(each.name + QLatin1Char(':'));
        }
        if (i < recipe.ingredients.size())
            lines.append(recipe.ingredients.at(i));
    }
    recipe.ingredients.clear();
    recipe.ingredientHeadings.clear();
    QString heading;
    for (const QString& raw : lines) {
        if (isGroupHeading(raw)) {
            // "Ingredients:" again, or "Zutaten für 4 Personen:", is the
            // section's own name.
            if (!SectionNames::isIngredients(raw))
                heading = raw.chopped(1).trimmed();
            continue;
        }
        for (const QString& piece : parted(raw)) {
            const QString line = mended(piece);
            if (line.isEmpty())
                continue;
            if (!heading.isEmpty()) {
                recipe.ingredientHeadings.append({recipe.ingredients.size(), heading});
                heading.clear();
            }
            recipe.ingredients.append(line);
        }
    }
}
