#pragma once

#include "cooking/stepduration.h"

#include <QList>
#include <QString>

// One step of a recipe's directions, as a cook follows it.
struct CookingStep
{
    QString section;               // the sub-heading the step stands under; empty when none
    QString text;                  // the step's text, its Markdown markup read as text
    QList<int> ingredients;        // rows of the recipe's ingredients named in the text, in order
    QList<StepDuration> durations; // the spans of time in `text`, in order
};
