#include "import/inlinestatereader.h"

#include "import/importlimits.h"
#include "import/importtext.h"
#include "import/lenientjson.h"
#include "import/schemarecipereader.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

constexpr std::initializer_list<const char*> stepKeys = {
    "recipeInstructions", "instructions", "steps", "directions", "method", "preparation"};

} // namespace

QString InlineStateReader::field(const QJsonObject& object, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        const QJsonValue value = object.value(QLatin1String(key));
        const QString text = value.isDouble() ? QString::number(value.toDouble())
                                              : ImportText::line(value.toString());
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QJsonValue InlineStateReader::firstOf(const QJsonObject& object,
                                      std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isUndefined() && !value.isNull())
            return value;
    }
    return {};
}

bool InlineStateReader::isRecipeShaped(const QJsonObject& object)
{
    if (object.value(QStringLiteral("recipeIngredient")).isArray())
        return true;
    return object.value(QStringLiteral("ingredients")).isArray() &&
           !firstOf(object, stepKeys).isUndefined();
}

void InlineStateReader::addIngredients(const QJsonValue& value, QStringList& lines, int depth)
{
    if (depth > ImportLimits::jsonDepth)
        return;
    if (value.isString()) {
        lines.append(ImportText::lines(value.toString()));
        return;
    }
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array)
            addIngredients(each, lines, depth + 1);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    // A group: {"title": "For the sauce", "ingredients": [...]}
    const QJsonValue items = firstOf(object, {"ingredients", "items", "itemListElement", "list"});
    if (items.isArray()) {
        const QString name = field(object, {"title", "name", "heading", "group"});
        if (!name.isEmpty())
            lines.append(name + QLatin1Char(':'));
        addIngredients(items, lines, depth + 1);
        return;
    }
    const QString written = field(object, {"text", "raw", "original", "display", "line"});
    if (!written.isEmpty()) {
        lines.append(written);
        return;
    }
    // Amount, unit and name kept apart: joined in the order a cook reads them.
    QStringList parts = {field(object, {"quantity", "amount", "qty", "value"}),
                         field(object, {"unit", "measurement", "measure"}),
                         field(object, {"name", "ingredient", "title", "food", "item"}),
                         field(object, {"note", "notes", "comment", "preparation"})};
    parts.removeAll(QString());
    if (!parts.isEmpty())
        lines.append(parts.join(QLatin1Char(' ')));
}

ImportedRecipe InlineStateReader::recipeFrom(const QJsonObject& object)
{
    if (object.contains(QStringLiteral("recipeIngredient")))
        return SchemaRecipeReader::recipeFrom(object);
    ImportedRecipe recipe;
    recipe.title = field(object, {"name", "title", "headline"});
    recipe.description = ImportText::paragraphs(field(object, {"description", "summary", "intro"}));
    addIngredients(object.value(QStringLiteral("ingredients")), recipe.ingredients, 0);
    recipe.steps = SchemaRecipeReader::stepsFrom(firstOf(object, stepKeys));
    recipe.yield = field(object, {"recipeYield", "yield", "servings", "serves", "portions"});
    return recipe;
}

ImportedRecipe InlineStateReader::find(const QJsonValue& value, int depth)
{
    if (depth > ImportLimits::jsonDepth)
        return {};
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue& each : array) {
            ImportedRecipe recipe = find(each, depth + 1);
            if (!recipe.title.isEmpty())
                return recipe;
        }
        return {};
    }
    if (!value.isObject())
        return {};
    const QJsonObject object = value.toObject();
    if (isRecipeShaped(object)) {
        ImportedRecipe recipe = recipeFrom(object);
        if (!recipe.title.isEmpty() && !recipe.ingredients.isEmpty())
            return recipe;
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isObject() && !it.value().isArray())
            continue;
        ImportedRecipe recipe = find(it.value(), depth + 1);
        if (!recipe.title.isEmpty())
            return recipe;
    }
    return {};
}

ImportedRecipe InlineStateReader::fromJson(const QByteArray& json)
{
    const QJsonDocument document = LenientJson::parse(json);
    if (document.isObject())
        return find(document.object(), 0);
    if (document.isArray())
        return find(document.array(), 0);
    return {};
}

QByteArray InlineStateReader::stateJson(HtmlTree::Node* script)
{
    const QString type = HtmlTree::attribute(script, "type").trimmed().toLower();
    const QByteArray text = HtmlTree::text(script).toUtf8();
    if (type == QLatin1String("application/json"))
        return text;
    if (!type.isEmpty() && !type.contains(QLatin1String("javascript")))
        return {};
    // "window.__NUXT__ = {…};": the value, when it is an object literal.
    static const QRegularExpression assignment(QStringLiteral(
        "^\\s*(?:window\\.|self\\.|var\\s+|const\\s+|let\\s+)?__[A-Z_]+__\\s*=\\s*\\{"));
    const QRegularExpressionMatch match = assignment.match(QString::fromUtf8(text.left(200)));
    if (!match.hasMatch())
        return {};
    const qsizetype start = text.indexOf('{');
    const qsizetype end = text.lastIndexOf('}');
    return end > start ? text.mid(start, end - start + 1) : QByteArray();
}

ImportedRecipe InlineStateReader::read(HtmlTree::Node* root)
{
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (HtmlTree::name(node) != QLatin1String("script"))
            continue;
        const QByteArray json = stateJson(node);
        if (json.isEmpty())
            continue;
        ImportedRecipe recipe = fromJson(json);
        if (!recipe.title.isEmpty())
            return recipe;
    }
    return {};
}
