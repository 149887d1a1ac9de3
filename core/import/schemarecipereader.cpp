#include "import/schemarecipereader.h"

#include "import/durationtext.h"
#include "import/importlimits.h"
#include "import/importtext.h"

#include <QJsonArray>

namespace {

QString typeName(const QString& type)
{
    // "Recipe", "schema:Recipe", "http://schema.org/Recipe"
    const qsizetype cut =
        qMax(type.lastIndexOf(QLatin1Char('/')), type.lastIndexOf(QLatin1Char(':')));
    return type.mid(cut + 1);
}

bool hasType(const QJsonObject& object, const QString& wanted)
{
    const QJsonValue type = object.value(QStringLiteral("@type"));
    if (type.isString())
        return typeName(type.toString()) == wanted;
    const QJsonArray types = type.toArray();
    for (const QJsonValue& each : types) {
        if (typeName(each.toString()) == wanted)
            return true;
    }
    return false;
}

QStringList splitKeywords(const QString& text)
{
    QStringList out;
    for (const QString& piece : text.split(QLatin1Char(','))) {
        const QString tag = ImportText::line(piece);
        if (!tag.isEmpty())
            out.append(tag);
    }
    return out;
}

} // namespace

bool SchemaRecipeReader::isRecipe(const QJsonObject& object)
{
    return hasType(object, QStringLiteral("Recipe"));
}

QList<ImportedRecipe> SchemaRecipeReader::read(const QJsonDocument& document)
{
    QList<ImportedRecipe> out;
    if (document.isObject())
        collect(document.object(), out, 0);
    else if (document.isArray())
        collect(document.array(), out, 0);
    return out;
}

void SchemaRecipeReader::collect(const QJsonValue& value, QList<ImportedRecipe>& out, int depth)
{
    if (depth > ImportLimits::jsonDepth || out.size() >= ImportLimits::recipesPerFile)
        return;
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array)
            collect(each, out, depth + 1);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    if (isRecipe(object)) {
        ImportedRecipe recipe = recipeFrom(object);
        if (!recipe.title.isEmpty() && (!recipe.ingredients.isEmpty() || !recipe.steps.isEmpty()))
            out.append(recipe);
        return;
    }
    // Recipes hide in "@graph", "mainEntity", "itemListElement", "item"...
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isObject() || it.value().isArray())
            collect(it.value(), out, depth + 1);
    }
}

QString SchemaRecipeReader::firstText(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toDouble());
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array) {
            const QString text = ImportText::line(firstText(each));
            if (!text.isEmpty())
                return text;
        }
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (const char* key : {"name", "text", "@value", "value"}) {
            const QString text = firstText(object.value(QLatin1String(key)));
            if (!text.isEmpty())
                return text;
        }
    }
    return {};
}

QStringList SchemaRecipeReader::texts(const QJsonValue& value)
{
    QStringList out;
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array) {
            const QString text = firstText(each);
            if (!text.isEmpty())
                out.append(text);
        }
    } else {
        const QString text = firstText(value);
        if (!text.isEmpty())
            out.append(text);
    }
    return out;
}

QString SchemaRecipeReader::names(const QJsonValue& value)
{
    QStringList out;
    const QJsonArray array = value.isArray() ? value.toArray() : QJsonArray{value};
    for (const QJsonValue& each : array) {
        const QString name = ImportText::line(firstText(each));
        if (!name.isEmpty() && !out.contains(name))
            out.append(name);
    }
    return out.join(QLatin1String(", "));
}

QString SchemaRecipeReader::imageAddress(const QJsonValue& value)
{
    if (value.isString())
        return value.toString().trimmed();
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array) {
            const QString address = imageAddress(each);
            if (!address.isEmpty())
                return address;
        }
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (const char* key : {"url", "contentUrl", "@id"}) {
            const QString address = object.value(QLatin1String(key)).toString().trimmed();
            if (!address.isEmpty())
                return address;
        }
    }
    return {};
}

void SchemaRecipeReader::addIngredients(const QJsonValue& value, QStringList& lines, int depth)
{
    if (depth > ImportLimits::jsonDepth)
        return;
    const QJsonObject object = value.toObject();
    QJsonValue items = object.value(QStringLiteral("itemListElement"));
    if (items.isUndefined())
        items = object.value(QStringLiteral("recipeIngredient"));
    if (value.isArray() || items.isArray()) {
        // A group given as a section: {"name": "For the sauce", "itemListElement": [...]}
        const QString name = ImportText::line(object.value(QStringLiteral("name")).toString());
        if (!name.isEmpty())
            lines.append(name.endsWith(QLatin1Char(':')) ? name : name + QLatin1Char(':'));
        const QJsonArray array = value.isArray() ? value.toArray() : items.toArray();
        for (const QJsonValue& each : array)
            addIngredients(each, lines, depth + 1);
        return;
    }
    const QString text = firstText(value);
    if (!text.isEmpty())
        lines.append(text);
}

void SchemaRecipeReader::addSteps(const QJsonValue& value, const QString& section,
                                  QList<ImportedStep>& steps, int depth)
{
    if (depth > ImportLimits::jsonDepth)
        return;
    if (value.isString()) {
        for (const QString& line : ImportText::lines(value.toString()))
            steps.append({section, line});
        return;
    }
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array)
            addSteps(each, section, steps, depth + 1);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    // Sections: HowToSection's "itemListElement", or the "steps" or "items"
    // that script state holds.
    QJsonValue elements = object.value(QStringLiteral("itemListElement"));
    for (const char* key : {"steps", "items"}) {
        if (elements.isUndefined() && object.value(QLatin1String(key)).isArray())
            elements = object.value(QLatin1String(key));
    }
    if (hasType(object, QStringLiteral("HowToSection")) || !elements.isUndefined()) {
        QString name;
        for (const char* key : {"name", "title", "heading"}) {
            if (name.isEmpty())
                name = ImportText::line(object.value(QLatin1String(key)).toString());
        }
        addSteps(elements, name.isEmpty() ? section : name, steps, depth + 1);
        return;
    }
    QString text;
    for (const char* key : {"text", "description", "body", "content", "instruction", "name"}) {
        if (text.trimmed().isEmpty())
            text = object.value(QLatin1String(key)).toString();
    }
    if (text.trimmed().isEmpty() && object.value(QStringLiteral("item")).isObject()) {
        addSteps(object.value(QStringLiteral("item")), section, steps, depth + 1);
        return;
    }
    // One HowToStep is one step, even when its text runs over several lines.
    const QString line = ImportText::line(text);
    if (!line.isEmpty())
        steps.append({section, line});
}

QList<ImportedStep> SchemaRecipeReader::stepsFrom(const QJsonValue& value)
{
    QList<ImportedStep> steps;
    addSteps(value, QString(), steps, 0);
    return steps;
}

ImportedRecipe SchemaRecipeReader::recipeFrom(const QJsonObject& object)
{
    ImportedRecipe recipe;
    recipe.title = ImportText::line(firstText(object.value(QStringLiteral("name"))));
    if (recipe.title.isEmpty())
        recipe.title = ImportText::line(firstText(object.value(QStringLiteral("headline"))));
    recipe.description =
        ImportText::paragraphs(firstText(object.value(QStringLiteral("description"))));

    QJsonValue ingredients = object.value(QStringLiteral("recipeIngredient"));
    if (ingredients.isUndefined() || ingredients.isNull())
        ingredients = object.value(QStringLiteral("ingredients"));
    QStringList written;
    if (ingredients.isString())
        written = ImportText::lines(ingredients.toString());
    else
        addIngredients(ingredients, written, 0);
    for (const QString& line : written) {
        const QString ingredient = ImportText::ingredient(line);
        if (!ingredient.isEmpty())
            recipe.ingredients.append(ingredient);
    }

    recipe.steps = stepsFrom(object.value(QStringLiteral("recipeInstructions")));

    recipe.yield = ImportText::line(firstText(object.value(QStringLiteral("recipeYield"))));
    if (recipe.yield.isEmpty())
        recipe.yield = ImportText::line(firstText(object.value(QStringLiteral("yield"))));
    recipe.totalSeconds =
        DurationText::seconds(firstText(object.value(QStringLiteral("totalTime"))));
    recipe.prepSeconds = DurationText::seconds(firstText(object.value(QStringLiteral("prepTime"))));
    recipe.cookSeconds = DurationText::seconds(firstText(object.value(QStringLiteral("cookTime"))));

    for (const char* key : {"keywords", "recipeCategory", "recipeCuisine"}) {
        for (const QString& text : texts(object.value(QLatin1String(key))))
            recipe.tags.append(splitKeywords(text));
    }
    recipe.author = names(object.value(QStringLiteral("author")));
    recipe.source = ImportText::line(firstText(object.value(QStringLiteral("url"))));
    recipe.image = imageAddress(object.value(QStringLiteral("image")));
    return recipe;
}
