#include "quantity/unitgroups.h"

namespace {

struct MetricUnit
{
    const char* name;
    const char* base;
    qint64 baseUnits;
};
// Largest first within each group, for choosing the unit to show.
constexpr MetricUnit metricUnits[] = {
    {"kg", "g", 1000}, {"g", "g", 1},    {"l", "ml", 1000},
    {"dl", "ml", 100}, {"cl", "ml", 10}, {"ml", "ml", 1},
};

const MetricUnit* findUnit(const QString& unit)
{
    const QString folded = unit.trimmed().toCaseFolded();
    for (const MetricUnit& known : metricUnits) {
        if (folded == QLatin1String(known.name))
            return &known;
    }
    return nullptr;
}

} // namespace

QString UnitGroups::sumKey(const QString& unit)
{
    if (const MetricUnit* known = findUnit(unit))
        return QString::fromLatin1(known->base);
    return unit.trimmed().toCaseFolded();
}

Fraction UnitGroups::baseUnitsPer(const QString& unit)
{
    const MetricUnit* known = findUnit(unit);
    return Fraction(known ? known->baseUnits : 1);
}

bool UnitGroups::isGroup(const QString& key)
{
    return key == QLatin1String("g") || key == QLatin1String("ml");
}

QString UnitGroups::displayUnit(const QString& key, const Fraction& inBaseUnits)
{
    for (const MetricUnit& known : metricUnits) {
        if (key == QLatin1String(known.base) && !(inBaseUnits < Fraction(known.baseUnits)))
            return QString::fromLatin1(known.name);
    }
    return key;
}
