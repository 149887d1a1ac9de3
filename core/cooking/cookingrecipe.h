#pragma once

#include "cooking/cookingstep.h"
#include "quantity/fraction.h"
#include "recipe/ingredientreading.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// A recipe as a cook follows it: title, servings, the ingredients read as
// people write them, and the directions as steps with the ingredients they
// name and the spans of time they hold.
class CookingRecipe
{
public:
    // Reads a recipe file through the safe opening; a file that cannot be
    // read gives a recipe without steps, titled after its file name.
    static CookingRecipe read(const QString& path);
    // The same from a recipe's text; `fallbackTitle` when it has no title line.
    static CookingRecipe fromText(const QString& text, const QString& fallbackTitle = {});

    QString path() const { return m_path; }
    QString title() const { return m_title; }
    // From "servings", "serves", "yield" or "portions", 1 to 99; 0 when none.
    int servings() const { return m_servings; }
    // The listed ingredients (see IngredientSections).
    QList<IngredientReading> ingredients() const { return m_ingredients; }
    QList<CookingStep> steps() const { return m_steps; }
    // The sections after the steps that hold notes, tips or nutrition, one
    // entry a paragraph or item; `section` is the heading each stands under.
    QList<CookingStep> notes() const { return m_notes; }
    // The sub-heading ("辅料", "Béchamel layer") that stands right before
    // ingredient `row`; empty when none does.
    QString ingredientHeading(int row) const { return m_ingredientHeadings.value(row); }
    // The decimal mark the ingredient lines write ("0,5 l"), for amounts
    // shown scaled; "." when they write none.
    QChar decimalMark() const { return m_decimalMark; }

    // The text of step `step` with its amounts at `factor`; exactly the
    // step's text at factor 1, and empty for a step that does not exist.
    QString stepText(int step, const Fraction& factor) const;

private:
    void readIngredients(QIODevice* device);
    void readSteps(const QString& text);

    QString m_path;
    QString m_title;
    int m_servings = 0;
    QList<IngredientReading> m_ingredients;
    QStringList m_names;
    QList<CookingStep> m_steps;
    QList<CookingStep> m_notes;
    QHash<int, QString> m_ingredientHeadings;
    QChar m_decimalMark = QLatin1Char('.');
};
