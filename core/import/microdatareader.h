#pragma once

#include "import/htmltree.h"
#include "import/importedrecipe.h"

#include <QList>

// Reads schema.org Recipes written as microdata: an element with itemscope
// and an itemtype naming Recipe, whose descendants carry itemprop names.
class MicrodataReader
{
public:
    // Every Recipe item with a name, also one that lists no ingredients.
    static QList<ImportedRecipe> read(HtmlTree::Node* root);

private:
    static ImportedRecipe recipeFrom(HtmlTree::Node* scope);
    // The properties of one item: its descendants with itemprop, not those
    // inside nested items (which are the values of their own property).
    static QList<HtmlTree::Node*> properties(HtmlTree::Node* scope);
    static QString value(HtmlTree::Node* property);
    static QStringList steps(HtmlTree::Node* property);
    static QString ingredientText(HtmlTree::Node* property);
};
