#pragma once

#include <QDate>
#include <QString>

// One entry of the meal plan: a recipe to cook on a day, or a line of free
// text ("Lunch: leftovers").
struct PlannedMeal
{
    QDate day;
    QString label;        // "Dinner" before the colon; empty when none
    QString recipePath;   // absolute; empty for free text
    QString title;        // the link's text; the text itself for free text
    QString text;         // the entry as written after the label
    int servings = 0;     // "for 4"; 0 when not given
    int factorHalves = 0; // "×1½" is 3; 0 when not given
};
