#pragma once

#include <QString>
#include <QStringList>

// One row of the merged shopping list: every ingredient of that name.
struct ShoppingItem
{
    QString key;          // the name without regard to case and surrounding blanks
    QString name;         // as first written
    QString amounts;      // "2 pcs + 300 g"; empty when no recipe gives one
    QStringList byRecipe; // "Carrot soup: 2 pcs", one per recipe
    bool ticked = false;

    QString text() const { return amounts.isEmpty() ? name : amounts + QLatin1Char(' ') + name; }
};
