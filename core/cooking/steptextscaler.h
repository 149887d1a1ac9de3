#pragma once

#include "cooking/stepduration.h"
#include "cooking/stepingredientmatcher.h"
#include "quantity/fraction.h"

#include <QList>
#include <QString>

// Writes a step's text for another number of servings: every number or range
// followed by a unit of measure ("200 g", "2 EL", "3个") or directly by the
// name of one of the recipe's ingredients ("3 eggs") is scaled and written as
// the shopping list writes amounts. Temperatures, spans of time, sizes, step
// numbers and oven settings are followed by neither and stay as they are.
class StepTextScaler
{
public:
    explicit StepTextScaler(const QStringList& ingredientNames);

    // `text` at `factor`; exactly `text` at factor 1. `durations` are the
    // spans of time in the text, which never change. Scaled amounts are
    // written with `decimalMark`.
    QString scaled(const QString& text, const Fraction& factor,
                   const QList<StepDuration>& durations,
                   QChar decimalMark = QLatin1Char('.')) const;

private:
    // The length of a unit or an ingredient's name at `position`, or 0;
    // `unit` receives the unit as written (empty for a name).
    qsizetype followerAt(const QString& text, qsizetype position, QString* unit) const;

    StepIngredientMatcher m_names;
    int m_nameCount = 0;
};
