#pragma once

#include "quantity/amount.h"

#include <QList>
#include <QString>
#include <QStringList>

// A summed number amount of a row, in one unit or unit group: what the
// pantry's amounts are taken from.
struct ShoppingQuantity
{
    QString sumKey;        // UnitGroups::sumKey of the unit
    QString unit;          // as the first amount wrote it
    QStringList usedUnits; // as every added amount wrote it
    Amount sum;            // in the group's base unit for a metric group
    QChar decimalMark = QLatin1Char('.');
};

// One row of the merged shopping list: every ingredient of that name.
struct ShoppingItem
{
    QString key;          // the name without regard to case and surrounding blanks
    QString name;         // as first written
    QString amounts;      // "2 pcs + 300 g"; empty when no recipe gives one
    QStringList byRecipe; // "Carrot soup: 2 pcs", one per recipe
    bool ticked = false;
    QList<ShoppingQuantity> quantities; // the number amounts summed, in order
    QStringList wordAmounts;            // amounts in words ("a pinch"), as written

    QString text() const { return amounts.isEmpty() ? name : amounts + QLatin1Char(' ') + name; }
};
