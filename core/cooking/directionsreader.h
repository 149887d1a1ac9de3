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
//
// A list nested in a step stays in it, one "• " line an item; so does a
// bulleted list written right after a step that ends in a colon, or between
// the items of a numbered list (indented too little to nest). The sections
// after the steps whose headings name notes, tips, variations, nutrition or
// references ("## Notes", "### Nährwerte", "#### 附加内容") are the recipe's
// notes, not steps; their `section` is that heading.
class DirectionsReader
{
public:
    struct Directions
    {
        QList<CookingStep> steps;
        QList<CookingStep> notes;
    };

    static Directions readAll(const QString& recipeText);
    static QList<CookingStep> read(const QString& recipeText) { return readAll(recipeText).steps; }

    // The Markdown of one piece of directions read into steps and notes.
    static Directions directionsOf(const QString& markdown);
};
