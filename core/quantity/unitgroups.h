#pragma once

#include "quantity/fraction.h"

#include <QString>

// The metric units that convert into each other: g and kg for weight, ml,
// cl, dl and l for volume. Nothing else converts (no cups to ml, no volume to
// weight, no tbsp to tsp); units are compared without regard to case.
class UnitGroups
{
public:
    // Amounts with the same key are added: the group's base unit ("g", "ml")
    // for a metric unit, otherwise the case-folded unit itself.
    static QString sumKey(const QString& unit);
    // How many base units one `unit` holds (1000 for "kg"); 1 outside a group.
    static Fraction baseUnitsPer(const QString& unit);
    static bool isGroup(const QString& key);
    // The largest unit of the key's group in which `inBaseUnits` is still at
    // least 1 (the base unit when it is smaller than that).
    static QString displayUnit(const QString& key, const Fraction& inBaseUnits);
};
