#include "quantity/unitgroups.h"

#include "quantity/kitchenunits.h"

namespace {

struct MetricUnit
{
    const char* name;
    const char* base;
    qint64 baseUnits;
    bool everyday; // shown even where no amount was written in it
};
// Largest first within each group, for choosing the unit to show.
constexpr MetricUnit metricUnits[] = {
    {"kg", "g", 1000, true},  {"g", "g", 1, true},     {"l", "ml", 1000, true},
    {"dl", "ml", 100, false}, {"cl", "ml", 10, false}, {"ml", "ml", 1, true},
};

const MetricUnit* findUnit(const QString& unit)
{
    const QString key = KitchenUnits::sumKey(unit);
    for (const MetricUnit& known : metricUnits) {
        if (key == QLatin1String(known.name))
            return &known;
    }
    return nullptr;
}

bool wasUsed(const MetricUnit& unit, const QStringList& usedUnits)
{
    for (const QString& used : usedUnits) {
        if (findUnit(used) == &unit)
            return true;
    }
    return false;
}

} // namespace

QString UnitGroups::sumKey(const QString& unit)
{
    if (const MetricUnit* known = findUnit(unit))
        return QString::fromLatin1(known->base);
    return KitchenUnits::sumKey(unit);
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

QString UnitGroups::displayUnit(const QString& key, const Fraction& inBaseUnits,
                                const QStringList& usedUnits)
{
    QString smallest = key;
    for (const MetricUnit& known : metricUnits) {
        if (key != QLatin1String(known.base) || !(known.everyday || wasUsed(known, usedUnits)))
            continue;
        if (!(inBaseUnits < Fraction(known.baseUnits)))
            return QString::fromLatin1(known.name);
        smallest = QString::fromLatin1(known.name);
    }
    return smallest;
}
