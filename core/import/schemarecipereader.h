#pragma once

#include "import/importedrecipe.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>

// Reads schema.org Recipe objects from JSON-LD: anywhere in the document
// (inside "@graph", "mainEntity", arrays, item lists), with "@type" given as a
// string or a list; instructions as one string, a list of strings, HowToSteps
// or HowToSections.
class SchemaRecipeReader
{
public:
    static QList<ImportedRecipe> read(const QJsonDocument& document);
    // One Recipe object; the result has no title when the object is unusable.
    static ImportedRecipe recipeFrom(const QJsonObject& object);
    static bool isRecipe(const QJsonObject& object);
    // Directions as text, strings, steps or sections of steps (also the
    // "steps"/"items" lists and "description"/"body" texts of script state).
    static QList<ImportedStep> stepsFrom(const QJsonValue& value);

private:
    static void collect(const QJsonValue& value, QList<ImportedRecipe>& out, int depth);
    // Ingredient lines, a group's name as a line ending in a colon.
    static void addIngredients(const QJsonValue& value, QStringList& lines, int depth);
    static void addSteps(const QJsonValue& value, const QString& section,
                         QList<ImportedStep>& steps, int depth);
    static QString firstText(const QJsonValue& value);
    static QStringList texts(const QJsonValue& value);
    static QString names(const QJsonValue& value);
    static QString imageAddress(const QJsonValue& value);
};
