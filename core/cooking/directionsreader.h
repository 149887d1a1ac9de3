#pragma once

#include "cooking/cookingstep.h"

#include <QList>
#include <QString>

// Splits a recipe's directions into steps: one per item of a numbered or
// bulleted list, otherwise one per paragraph. A heading among the directions
// ("#### For the sauce") or a paragraph that is only bold text names the
// section of the steps after it. Without a directions heading the paragraphs
// after the ingredients, or after the title when there are none, are the
// steps, so that a recipe with text always has some. Fills `section`, `text`
// and `durations`; the ingredients are the caller's to match.
class DirectionsReader
{
public:
    static QList<CookingStep> read(const QString& recipeText);

    // The Markdown of one piece of directions read into steps.
    static QList<CookingStep> stepsOf(const QString& markdown);
};
