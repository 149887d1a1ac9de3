#pragma once

#include "import/htmltree.h"
#include "import/importedrecipe.h"

#include <QString>

// Reads a recipe that a page shows only through the markup of a common
// recipe plugin (WP Recipe Maker, Tasty Recipes, Mediavine Create, WPZOOM,
// Cooked, WP Ultimate Recipe, EasyRecipe...), known by the HTML classes the
// plugins document: its title, ingredient groups and lines (amount, unit and
// name joined from their fields) and its steps.
class PluginRecipeReader
{
public:
    // A recipe without a title when the page holds no plugin's ingredients;
    // `pageTitle` stands in when the plugin shows no title of its own.
    static ImportedRecipe read(HtmlTree::Node* root, const QString& pageTitle);

    // The classes of one plugin; an empty item class means list items.
    struct Markup
    {
        const char* ingredients;
        const char* ingredient;
        const char* group;
        const char* instructions;
        const char* instruction;
        const char* title;
        const char* yield;
    };

private:
    struct Found
    {
        const Markup* markup = nullptr;
        HtmlTree::Node* ingredients = nullptr;
        HtmlTree::Node* instructions = nullptr;
        HtmlTree::Node* title = nullptr;
        HtmlTree::Node* yield = nullptr;
    };
    static Found find(HtmlTree::Node* root);
    // Lines of the ingredients, groups as lines ending in a colon.
    static QStringList ingredientLines(HtmlTree::Node* container, const Markup& markup);
    static QList<ImportedStep> steps(HtmlTree::Node* container, const Markup& markup);
    static bool hasClass(HtmlTree::Node* node, const char* name);
    // A heading inside a list of ingredients or steps: h2 to h6, or a
    // paragraph that is all bold ("<p><strong>For the pastry</strong></p>").
    static bool isInnerHeading(HtmlTree::Node* node);
};
