#include "import/pluginrecipereader.h"

#include "import/importtext.h"
#include "import/sectionnames.h"

#include <QHash>

namespace {

using Markup = PluginRecipeReader::Markup;

// The plugins' documented classes, most specific first; the last rows are
// the names themes commonly give such blocks.
const Markup markups[] = {
    {"wprm-recipe-ingredients-container", "wprm-recipe-ingredient", "wprm-recipe-group-name",
     "wprm-recipe-instructions-container", "wprm-recipe-instruction-text", "wprm-recipe-name",
     "wprm-recipe-servings"},
    {"tasty-recipes-ingredients", "", "", "tasty-recipes-instructions", "", "tasty-recipes-title",
     "tasty-recipes-yield"},
    {"mv-create-ingredients", "", "", "mv-create-instructions", "", "mv-create-title",
     "mv-create-yield"},
    {"ingredients-list", "ingredient-item", "ingredient-item-group", "directions-list",
     "direction-step", "recipe-card-title", "recipe-card-servings"},
    {"cooked-recipe-ingredients", "cooked-ingredient", "cooked-heading", "cooked-recipe-directions",
     "cooked-dir-content", "cooked-recipe-name", "cooked-servings"},
    {"wpurp-recipe-ingredients", "wpurp-recipe-ingredient", "wpurp-recipe-ingredient-group",
     "wpurp-recipe-instructions", "wpurp-recipe-instruction-text", "wpurp-recipe-title",
     "wpurp-recipe-servings"},
    {"ERSIngredients", "ingredient", "ERSSeparator", "ERSInstructions", "instruction", "ERSName",
     "ERSServes"},
    {"yumprint-recipe-ingredients", "yumprint-recipe-ingredient",
     "yumprint-recipe-ingredient-group", "yumprint-recipe-directions", "yumprint-recipe-direction",
     "yumprint-recipe-title", "yumprint-recipe-yield"},
    {"zlrecipe-ingredients-list", "ingredient", "", "zlrecipe-instructions-list", "instruction",
     "zlrecipe-title", "zlrecipe-yield"},
    {"recipe-ingredients", "", "", "recipe-instructions", "", "recipe-title", ""},
    {"recipe-ingredients", "", "", "recipe-directions", "", "recipe-title", ""},
    {"recipe-ingredients", "", "", "recipe-method", "", "recipe-title", ""},
};

enum class Role { Ingredients, Instructions, Title, Yield };

bool isHeadingName(const QString& name)
{
    return name.size() == 2 && name.at(0) == QLatin1Char('h') && name.at(1) >= QLatin1Char('2') &&
           name.at(1) <= QLatin1Char('6');
}

bool isInside(HtmlTree::Node* node, HtmlTree::Node* ancestor)
{
    for (HtmlTree::Node* up = node; up; up = HtmlTree::parentOf(up)) {
        if (up == ancestor)
            return true;
    }
    return false;
}

} // namespace

bool PluginRecipeReader::hasClass(HtmlTree::Node* node, const char* name)
{
    if (!*name)
        return false;
    const QString classes = HtmlTree::attribute(node, "class");
    const QLatin1String wanted(name);
    if (!classes.contains(wanted))
        return false;
    for (const QString& each : classes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (each == wanted)
            return true;
    }
    return false;
}

bool PluginRecipeReader::isInnerHeading(HtmlTree::Node* node)
{
    const QString name = HtmlTree::name(node);
    if (isHeadingName(name))
        return true;
    if (name != QLatin1String("p"))
        return false;
    const QList<HtmlTree::Node*> children = HtmlTree::children(node);
    if (children.size() != 1)
        return false;
    const QString inner = HtmlTree::name(children.first());
    return (inner == QLatin1String("strong") || inner == QLatin1String("b")) &&
           HtmlTree::text(children.first()).simplified() == HtmlTree::text(node).simplified();
}

PluginRecipeReader::Found PluginRecipeReader::find(HtmlTree::Node* root)
{
    // One walk: every class of every element looked up once.
    QHash<QString, QList<QPair<int, Role>>> roles;
    const int count = int(sizeof(markups) / sizeof(markups[0]));
    for (int i = 0; i < count; ++i) {
        roles[QLatin1String(markups[i].ingredients)].append({i, Role::Ingredients});
        roles[QLatin1String(markups[i].instructions)].append({i, Role::Instructions});
        if (*markups[i].title)
            roles[QLatin1String(markups[i].title)].append({i, Role::Title});
        if (*markups[i].yield)
            roles[QLatin1String(markups[i].yield)].append({i, Role::Yield});
    }
    QList<Found> found(count);
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (!HtmlTree::hasAttribute(node, "class"))
            continue;
        for (const QString& name :
             HtmlTree::attribute(node, "class").split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const auto it = roles.constFind(name);
            if (it == roles.constEnd())
                continue;
            for (const auto& [index, role] : *it) {
                Found& each = found[index];
                HtmlTree::Node** slot = role == Role::Ingredients    ? &each.ingredients
                                        : role == Role::Instructions ? &each.instructions
                                        : role == Role::Title        ? &each.title
                                                                     : &each.yield;
                if (!*slot)
                    *slot = node;
            }
        }
    }
    // Rows sharing a class of ingredients differ in their steps' class: the
    // one that finds both wins.
    for (const bool needSteps : {true, false}) {
        for (int i = 0; i < count; ++i) {
            if (found[i].ingredients && (found[i].instructions || !needSteps)) {
                found[i].markup = &markups[i];
                return found[i];
            }
        }
    }
    return {};
}

QStringList PluginRecipeReader::ingredientLines(HtmlTree::Node* container, const Markup& markup)
{
    QStringList out;
    HtmlTree::Node* taken = nullptr;
    for (HtmlTree::Node* node : HtmlTree::elements(container)) {
        if (node == container || (taken && isInside(node, taken)))
            continue;
        const bool byClass = *markup.ingredient;
        QString group;
        if (hasClass(node, markup.group) || (!*markup.group && isInnerHeading(node)))
            group = ImportText::line(HtmlTree::fieldsText(node));
        if (!group.isEmpty()) {
            taken = node;
            if (!SectionNames::isIngredients(group))
                out.append(group.endsWith(QLatin1Char(':')) ? group : group + QLatin1Char(':'));
            continue;
        }
        const bool item = byClass ? hasClass(node, markup.ingredient)
                                  : HtmlTree::name(node) == QLatin1String("li");
        if (!item)
            continue;
        taken = node;
        out.append(ImportText::lines(HtmlTree::fieldsText(node)));
    }
    return out;
}

QList<ImportedStep> PluginRecipeReader::steps(HtmlTree::Node* container, const Markup& markup)
{
    QList<ImportedStep> out;
    QString section;
    HtmlTree::Node* taken = nullptr;
    for (HtmlTree::Node* node : HtmlTree::elements(container)) {
        if (node == container || (taken && isInside(node, taken)))
            continue;
        if (hasClass(node, markup.group) || isInnerHeading(node)) {
            taken = node;
            const QString name = ImportText::line(HtmlTree::readableText(node));
            if (!SectionNames::isDirections(name))
                section = name;
            continue;
        }
        const bool item = *markup.instruction ? hasClass(node, markup.instruction)
                                              : HtmlTree::name(node) == QLatin1String("li");
        if (!item)
            continue;
        taken = node;
        const QString text = ImportText::line(HtmlTree::readableText(node));
        if (!text.isEmpty())
            out.append({section, text});
    }
    return out;
}

ImportedRecipe PluginRecipeReader::read(HtmlTree::Node* root, const QString& pageTitle)
{
    const Found found = find(root);
    if (!found.markup)
        return {};
    ImportedRecipe recipe;
    recipe.ingredients = ingredientLines(found.ingredients, *found.markup);
    if (found.instructions)
        recipe.steps = steps(found.instructions, *found.markup);
    if (recipe.ingredients.isEmpty())
        return {};
    if (found.title)
        recipe.title = ImportText::line(HtmlTree::readableText(found.title));
    if (recipe.title.isEmpty())
        recipe.title = pageTitle;
    if (found.yield)
        recipe.yield = ImportText::line(HtmlTree::readableText(found.yield));
    return recipe;
}
