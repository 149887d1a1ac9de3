#include "import/recipemarkdownwriter.h"

#include "import/durationtext.h"
#include "text/textfolding.h"

#include <QRegularExpression>
#include <QSet>

QString RecipeMarkdownWriter::escapedLine(const QString& line)
{
    // A leading "#" would make a title or a section marker, "=" or "---" a
    // heading of the line before, "<" raw HTML, ">" a quote; a backslash
    // before the character keeps it as written.
    static const QRegularExpression risky(QStringLiteral("^(#|=|<|>|---|\\*\\*\\*|___)"));
    if (risky.match(line).hasMatch())
        return QLatin1Char('\\') + line;
    // "1. " would start a numbered list: the backslash goes before the dot.
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)([.)]\\s)"));
    const QRegularExpressionMatch match = numbered.match(line);
    if (match.hasMatch())
        return match.captured(1) + QLatin1Char('\\') + line.mid(match.capturedLength(1));
    return line;
}

QString RecipeMarkdownWriter::oneLine(const QString& text)
{
    QString line = text.simplified();
    if (line.size() > maxLine) {
        line.truncate(maxLine);
        if (line.back().isHighSurrogate())
            line.chop(1);
        line = line.trimmed();
    }
    return line;
}

QStringList RecipeMarkdownWriter::wrapped(const QString& paragraph)
{
    QStringList out;
    QString rest = paragraph.simplified();
    while (rest.size() > maxLine) {
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), maxLine);
        if (cut <= 0) {
            cut = maxLine;
            if (rest.at(cut - 1).isHighSurrogate())
                --cut;
        }
        out.append(rest.left(cut).trimmed());
        rest = rest.mid(cut).trimmed();
    }
    if (!rest.isEmpty())
        out.append(rest);
    return out;
}

QString RecipeMarkdownWriter::titleOf(const ImportedRecipe& recipe)
{
    return oneLine(recipe.title);
}

QStringList RecipeMarkdownWriter::writtenTags(const QStringList& tags)
{
    QStringList out;
    qsizetype length = 0;
    for (const QString& tag : cleanTags(tags)) {
        length += tag.size() + 2;
        if (length > maxLine)
            break;
        out.append(tag);
    }
    return out;
}

QStringList RecipeMarkdownWriter::cleanTags(const QStringList& tags)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString& tag : tags) {
        const QString clean = QString(tag).replace(QLatin1Char(','), QLatin1Char(' ')).simplified();
        const QString key = TextFolding::foldCase(clean);
        if (clean.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        out.append(clean);
    }
    return out;
}

int RecipeMarkdownWriter::servingsOf(const QString& yield)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:serves|makes|for|für|pour|para|per)?\\s*(\\d{1,4})\\s*"
                       "(?:servings?|portions?|people|persons?|personen|portionen|personnes|"
                       "porciones|personas|porzioni|persone|pers\\.?)?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = pattern.match(yield.simplified());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

void RecipeMarkdownWriter::writeIngredients(const ImportedRecipe& recipe, QString& out)
{
    QString section;
    for (qsizetype i = 0; i < recipe.ingredients.size(); ++i) {
        const QString text = oneLine(recipe.ingredients.at(i));
        if (text.isEmpty())
            continue;
        for (const ImportedRecipe::Heading& heading : recipe.ingredientHeadings) {
            const QString name = oneLine(heading.name);
            if (heading.before == i && !name.isEmpty())
                section += QLatin1String("\n#### ") + escapedHeading(name) + QLatin1String("\n\n");
        }
        section += QLatin1String(" * ") + text + QLatin1Char('\n');
    }
    if (!section.isEmpty())
        out += QLatin1String("### Ingredients\n\n") +
               section.mid(section.startsWith(QLatin1Char('\n')) ? 1 : 0) + QLatin1Char('\n');
}

QString RecipeMarkdownWriter::escapedHeading(const QString& name)
{
    // A sub-heading's text ends at the line; "#" at its start would only
    // deepen it.
    QString out = name;
    while (out.startsWith(QLatin1Char('#')))
        out = out.mid(1).trimmed();
    return out;
}

void RecipeMarkdownWriter::writeDirections(const ImportedRecipe& recipe, QString& out)
{
    QString section;
    QString body;
    int number = 0;
    for (const ImportedStep& step : recipe.steps) {
        const QStringList lines = wrapped(step.text);
        if (lines.isEmpty())
            continue;
        const QString name = oneLine(step.section);
        if (name != section) {
            section = name;
            number = 0;
            if (!name.isEmpty())
                body += QLatin1String("#### ") + escapedHeading(name) + QLatin1String("\n\n");
        }
        // Continuation lines are indented into the list item.
        body += QString::number(++number) + QLatin1String(". ") +
                lines.join(QLatin1String("\n   ")) + QLatin1String("\n\n");
    }
    if (!body.isEmpty())
        out += QLatin1String("### Directions\n\n") + body;
}

void RecipeMarkdownWriter::writeMetadata(const ImportedRecipe& recipe, QString& out)
{
    QString lines;
    auto line = [&lines](const char* key, const QString& value) {
        const QString v = oneLine(value);
        if (!v.isEmpty())
            lines += QLatin1String(key) + QLatin1String(": ") + v + QLatin1Char('\n');
    };
    line("tags", writtenTags(recipe.tags).join(QLatin1String(", ")));
    const int servings = servingsOf(recipe.yield);
    if (servings > 0)
        line("servings", QString::number(servings));
    else
        line("yield", recipe.yield);
    line("time", DurationText::hoursAndMinutes(recipe.totalSeconds));
    line("prep time", DurationText::hoursAndMinutes(recipe.prepSeconds));
    line("cook time", DurationText::hoursAndMinutes(recipe.cookSeconds));
    line("author", recipe.author);
    line("source", recipe.source);
    if (recipe.pictureFile.isEmpty())
        line("image", recipe.image);
    // No section is written without lines under it.
    if (!lines.isEmpty())
        out += QLatin1String("### Metadata\n\n") + lines;
}

QString RecipeMarkdownWriter::write(const ImportedRecipe& recipe)
{
    QString out = QLatin1String("# ") + titleOf(recipe) + QLatin1String("\n\n");
    const QStringList paragraphs = recipe.description.split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        const QStringList lines = wrapped(paragraph);
        for (const QString& line : lines)
            out += escapedLine(line) + QLatin1Char('\n');
        if (!lines.isEmpty())
            out += QLatin1Char('\n');
    }
    if (!recipe.pictureFile.isEmpty())
        out += QLatin1String("![") + titleOf(recipe).remove(QLatin1Char(']')) +
               QLatin1String("](<") + recipe.pictureFile + QLatin1String(">)\n\n");
    writeIngredients(recipe, out);
    writeDirections(recipe, out);
    writeMetadata(recipe, out);
    return out;
}

QString toRecipeMarkdown(const ImportedRecipe& recipe)
{
    return RecipeMarkdownWriter::write(recipe);
}
