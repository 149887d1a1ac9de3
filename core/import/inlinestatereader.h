#pragma once

#include "import/htmltree.h"
#include "import/importedrecipe.h"

#include <QJsonObject>
#include <QJsonValue>

// Reads a recipe that a page keeps in the state its script framework
// starts from: `<script id="__NEXT_DATA__" type="application/json">`, or
// `window.__NUXT__ = {…}` where that is plain JSON (scripts are never run).
// A recipe there is any object with "recipeIngredient", or with an
// "ingredients" list beside its instructions or steps.
class InlineStateReader
{
public:
    // The first recipe-shaped object of the page's state; no title when
    // there is none.
    static ImportedRecipe read(HtmlTree::Node* root);
    // The same in one JSON text (a script's content).
    static ImportedRecipe fromJson(const QByteArray& json);

private:
    // The JSON a script holds: all of it, or what an assignment gives.
    static QByteArray stateJson(HtmlTree::Node* script);
    static bool isRecipeShaped(const QJsonObject& object);
    static ImportedRecipe find(const QJsonValue& value, int depth);
    static ImportedRecipe recipeFrom(const QJsonObject& object);
    static void addIngredients(const QJsonValue& value, QStringList& lines, int depth);
    // The first of `keys` the object holds as text or number.
    static QString field(const QJsonObject& object, std::initializer_list<const char*> keys);
    static QJsonValue firstOf(const QJsonObject& object, std::initializer_list<const char*> keys);
};
