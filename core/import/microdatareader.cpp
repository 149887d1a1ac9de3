#include "import/microdatareader.h"

#include "import/durationtext.h"
#include "import/importlimits.h"
#include "import/importtext.h"

namespace {

bool isRecipeScope(HtmlTree::Node* node)
{
    if (!HtmlTree::hasAttribute(node, "itemscope"))
        return false;
    const QStringList types =
        HtmlTree::attribute(node, "itemtype").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& type : types) {
        if (type.endsWith(QLatin1String("/Recipe")) || type == QLatin1String("Recipe"))
            return true;
    }
    return false;
}

QStringList propertyNames(HtmlTree::Node* node)
{
    QStringList out;
    for (const QString& name :
         HtmlTree::attribute(node, "itemprop").split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        // Absolute names ("http://schema.org/name") count by their last part.
        out.append(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1));
    }
    return out;
}

bool insideNestedScope(HtmlTree::Node* node, HtmlTree::Node* scope)
{
    for (HtmlTree::Node* up = HtmlTree::parentOf(node); up && up != scope;
         up = HtmlTree::parentOf(up)) {
        if (HtmlTree::hasAttribute(up, "itemscope"))
            return true;
    }
    return false;
}

} // namespace

QList<ImportedRecipe> MicrodataReader::read(HtmlTree::Node* root)
{
    QList<ImportedRecipe> out;
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (out.size() >= ImportLimits::recipesPerFile)
            break;
        if (!isRecipeScope(node))
            continue;
        ImportedRecipe recipe = recipeFrom(node);
        if (!recipe.title.isEmpty())
            out.append(recipe);
    }
    return out;
}

QList<HtmlTree::Node*> MicrodataReader::properties(HtmlTree::Node* scope)
{
    QList<HtmlTree::Node*> out;
    const QList<HtmlTree::Node*> below = HtmlTree::elements(scope);
    for (HtmlTree::Node* node : below) {
        if (node != scope && HtmlTree::hasAttribute(node, "itemprop") &&
            !insideNestedScope(node, scope))
            out.append(node);
    }
    return out;
}

QString MicrodataReader::value(HtmlTree::Node* property)
{
    if (HtmlTree::hasAttribute(property, "content"))
        return HtmlTree::attribute(property, "content");
    const QString name = HtmlTree::name(property);
    if (name == QLatin1String("a") || name == QLatin1String("link"))
        return HtmlTree::attribute(property, "href");
    if (name == QLatin1String("img") || name == QLatin1String("source"))
        return HtmlTree::attribute(property, "src");
    if (name == QLatin1String("time") && HtmlTree::hasAttribute(property, "datetime"))
        return HtmlTree::attribute(property, "datetime");
    if (name == QLatin1String("meta"))
        return {};
    if (HtmlTree::hasAttribute(property, "itemscope")) {
        // A nested Person or Organization: its name.
        for (HtmlTree::Node* inner : HtmlTree::elements(property)) {
            if (propertyNames(inner).contains(QLatin1String("name")))
                return HtmlTree::text(inner);
        }
    }
    return HtmlTree::readableText(property);
}

QString MicrodataReader::ingredientText(HtmlTree::Node* property)
{
    if (HtmlTree::hasAttribute(property, "content") ||
        HtmlTree::name(property) == QLatin1String("meta"))
        return value(property);
    return HtmlTree::fieldsText(property);
}

QStringList MicrodataReader::steps(HtmlTree::Node* property)
{
    QStringList out;
    for (HtmlTree::Node* node : HtmlTree::elements(property)) {
        if (node != property && HtmlTree::name(node) == QLatin1String("li"))
            out.append(ImportText::line(HtmlTree::readableText(node)));
    }
    if (out.isEmpty())
        out = ImportText::lines(HtmlTree::readableText(property));
    out.removeAll(QString());
    return out;
}

ImportedRecipe MicrodataReader::recipeFrom(HtmlTree::Node* scope)
{
    ImportedRecipe recipe;
    for (HtmlTree::Node* property : properties(scope)) {
        for (const QString& name : propertyNames(property)) {
            if (name == QLatin1String("recipeInstructions")) {
                for (const QString& step : steps(property))
                    recipe.steps.append({QString(), step});
                continue;
            }
            const QString text = ImportText::line(value(property));
            if (text.isEmpty())
                continue;
            if (name == QLatin1String("name") && recipe.title.isEmpty())
                recipe.title = text;
            else if (name == QLatin1String("description") && recipe.description.isEmpty())
                recipe.description = ImportText::paragraphs(HtmlTree::readableText(property));
            else if (name == QLatin1String("recipeIngredient") ||
                     name == QLatin1String("ingredients"))
                // One property may hold several lines (<br>, a list), its
                // amount and name in separate elements.
                for (const QString& line : ImportText::lines(ingredientText(property)))
                    recipe.ingredients.append(ImportText::ingredient(line));
            else if (name == QLatin1String("recipeYield") && recipe.yield.isEmpty())
                recipe.yield = text;
            else if (name == QLatin1String("totalTime"))
                recipe.totalSeconds = DurationText::seconds(text);
            else if (name == QLatin1String("prepTime"))
                recipe.prepSeconds = DurationText::seconds(text);
            else if (name == QLatin1String("cookTime"))
                recipe.cookSeconds = DurationText::seconds(text);
            else if (name == QLatin1String("keywords") || name == QLatin1String("recipeCategory") ||
                     name == QLatin1String("recipeCuisine")) {
                for (const QString& tag : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                    if (!tag.trimmed().isEmpty())
                        recipe.tags.append(tag.trimmed());
                }
            } else if (name == QLatin1String("author") && recipe.author.isEmpty())
                recipe.author = text;
            else if (name == QLatin1String("image") && recipe.image.isEmpty())
                recipe.image = text;
            else if (name == QLatin1String("url") && recipe.source.isEmpty())
                recipe.source = text;
        }
    }
    return recipe;
}
