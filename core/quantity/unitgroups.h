#pragma once

#include "quantity/fraction.h"

#include <QString>
#include <QStringList>

// The metric units that convert into each other: g and kg for weight, ml,
// cl, dl and l for volume, in any of their spellings ("Gramm", "克",
// "litre"). Nothing else converts (no cups to ml, no volume to weight, no
// tbsp to tsp); units are compared without regard to case.
class UnitGroups
{
public:
    // Amounts with the same key are added: the group's base unit ("g", "ml")
    // for a metric unit, otherwise the unit's own key (see KitchenUnits).
    static QString sumKey(const QString& unit);
    // How many base units one `unit` holds (1000 for "kg"); 1 outside a group.
    static Fraction baseUnitsPer(const QString& unit);
    static bool isGroup(const QString& key);
    // The unit in which to show a sum of `inBaseUnits` of the key's group: the
    // largest in which it is still at least 1, among the units the added
    // amounts were written in (`usedUnits`) and the group's two everyday ones
    // (g and kg, ml and l); the smallest of those when it is less than 1 of
    // each. Never a unit that no amount used beyond those two: ½ l and 250 ml
    // make 750 ml, not 7½ dl.
    static QString displayUnit(const QString& key, const Fraction& inBaseUnits,
                               const QStringList& usedUnits);
};
