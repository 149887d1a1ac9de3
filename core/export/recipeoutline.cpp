#include "export/recipeoutline.h"

#include "cooking/directionsreader.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipefile.h"
#include "recipe/recipeparser.h"
#include "recipe/recipesections.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// "![alt](photo.jpg)", "![alt](<my photo.jpg> "title")".
const QRegularExpression& picturePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("!\\[[^\\]\\n]*\\]\\(\\s*(?:<([^>\\n]*)>|([^)\\s]*))[^)\\n]*\\)"));
    return pattern;
}

} // namespace

QString RecipeOutline::meta(const QString& key) const
{
    const QStringList values = metadata.value(key);
    return values.isEmpty() ? QString() : values.first();
}

RecipeOutline RecipeOutline::read(const QString& text, const QString& path)
{
    RecipeOutline outline;
    QByteArray utf8 = text.toUtf8();
    QBuffer buffer(&utf8);
    buffer.open(QIODevice::ReadOnly);
    const ParsedRecipe parsed = parseRecipe(&buffer);
    outline.title = parsed.title.isEmpty() ? RecipeFile::stemOf(path) : parsed.title;
    outline.tags = parsed.tags;
    outline.tags.removeAll(QString());
    outline.metadata = parsed.otherMeta;
    outline.description = descriptionOf(text);
    outline.ingredients = ingredientLinesOf(utf8);
    for (const CookingStep& step : DirectionsReader::read(text))
        outline.steps.append({step.section, step.text});
    for (auto it = picturePattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString reference =
            match.capturedLength(1) > 0 ? match.captured(1) : match.captured(2);
        if (!reference.trimmed().isEmpty())
            outline.pictures.append(reference.trimmed());
    }
    return outline;
}

QString RecipeOutline::descriptionOf(const QString& text)
{
    // The paragraphs between the title and the first section, as read.
    QStringList lines;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const RecipeSections::Heading heading = RecipeSections::headingOf(line);
        if (heading == RecipeSections::Heading::Title)
            continue;
        if (heading != RecipeSections::Heading::None)
            break;
        lines.append(line.toString());
    }
    QString markdown = lines.join(QLatin1Char('\n'));
    markdown.remove(picturePattern());
    QTextDocument document;
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString paragraph = block.text().simplified();
        if (!paragraph.isEmpty())
            paragraphs.append(paragraph);
    }
    return paragraphs.join(QLatin1String("\n\n"));
}

QStringList RecipeOutline::ingredientLinesOf(const QByteArray& utf8)
{
    QStringList lines;
    QByteArray copy = utf8;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    IngredientSections::forEachLine(&buffer, [&lines](QByteArrayView line) {
        if (!IngredientSections::readListed(line))
            return;
        const QString text = QString::fromUtf8(line);
        const qsizetype start = RecipeSections::listItemTextStart(QStringView(text));
        const QString written = (start >= 0 ? text.mid(start) : text).trimmed();
        if (!written.isEmpty())
            lines.append(written);
    });
    return lines;
}
