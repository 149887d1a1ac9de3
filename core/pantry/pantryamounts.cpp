#include "pantry/pantryamounts.h"

#include "quantity/kitchenunits.h"
#include "quantity/unitgroups.h"
#include "shopping/shoppinglist.h"

#include <QHash>
#include <QStringList>

namespace {

const QString pieceKey = QStringLiteral("piece");

Amount inBaseUnits(const Amount& amount, const QString& unit)
{
    return amount.scaled(UnitGroups::baseUnitsPer(unit));
}

Amount lessOrZero(const Amount& amount, const Fraction& taken)
{
    return Amount::number(amount.low().minusOrZero(taken), amount.high().minusOrZero(taken));
}

ShoppingQuantity quantityOf(const Amount& inBase, const QString& unit, const QString& otherUnit)
{
    ShoppingQuantity quantity;
    quantity.sumKey = UnitGroups::sumKey(unit);
    quantity.unit = unit;
    quantity.usedUnits = {unit, otherUnit};
    quantity.sum = inBase;
    return quantity;
}

} // namespace

QString PantryAmounts::unitKey(const QString& unit)
{
    const QString key = UnitGroups::sumKey(unit);
    return key == pieceKey ? QString() : key;
}

PantryCoverage PantryAmounts::cover(const ShoppingItem& item, const QList<IngredientReading>& held)
{
    PantryCoverage coverage;
    coverage.held = !held.isEmpty();
    coverage.remaining = item.quantities;
    QHash<QString, Fraction> stock; // by unit key, in base units
    QStringList heldTexts;
    bool enough = false;
    for (const IngredientReading& reading : held) {
        if (!reading.amount.isNumber()) {
            enough = true;
            continue;
        }
        const QString key = unitKey(reading.unit);
        stock[key] = stock.value(key) + inBaseUnits(reading.amount, reading.unit).low();
        heldTexts.append(KitchenUnits::formatAmount(reading.amount, reading.unit));
    }
    coverage.inPantry = heldTexts.join(QStringLiteral(" + "));
    if (enough) {
        coverage.remaining.clear();
        coverage.covered = true;
        return coverage;
    }
    QList<ShoppingQuantity> left;
    for (ShoppingQuantity quantity : std::as_const(coverage.remaining)) {
        const QString key = unitKey(quantity.unit);
        const Fraction have = stock.value(key);
        // What one amount used up is not there for the next of that key.
        stock[key] = have.minusOrZero(quantity.sum.high());
        quantity.sum = lessOrZero(quantity.sum, have);
        if (!quantity.sum.high().isZero())
            left.append(quantity);
    }
    coverage.remaining = left;
    QStringList toBuy;
    for (const ShoppingQuantity& quantity : std::as_const(left))
        toBuy.append(ShoppingList::quantityText(quantity));
    toBuy.append(item.wordAmounts);
    coverage.toBuy = toBuy.join(QStringLiteral(" + "));
    // A row without amounts is covered by any amount the pantry holds.
    coverage.covered = coverage.held && left.isEmpty() && item.wordAmounts.isEmpty();
    return coverage;
}

QString PantryAmounts::withMore(const IngredientReading& item, const Amount& amount,
                                const QString& unit)
{
    if (!item.amount.isNumber() || !amount.isNumber() || unitKey(item.unit) != unitKey(unit))
        return QString();
    const Amount sum = inBaseUnits(item.amount, item.unit).plus(inBaseUnits(amount, unit));
    return itemText(ShoppingList::quantityText(quantityOf(sum, item.unit, unit)), item);
}

QString PantryAmounts::withLess(const IngredientReading& item, const Amount& amount,
                                const QString& unit, bool* usedUp)
{
    *usedUp = false;
    if (!item.amount.isNumber() || !amount.isNumber() || unitKey(item.unit) != unitKey(unit))
        return QString();
    // What the pantry surely holds, less the most the recipe may use.
    const Amount held = inBaseUnits(item.amount, item.unit);
    const Fraction used = inBaseUnits(amount, unit).high();
    const Fraction left = held.low().minusOrZero(used);
    *usedUp = left.isZero();
    const Amount rest = Amount::number(left, left);
    return itemText(ShoppingList::quantityText(quantityOf(rest, item.unit, item.unit)), item);
}

QString PantryAmounts::itemText(const QString& amount, const IngredientReading& item)
{
    QString text = amount.isEmpty() ? item.name : amount + QLatin1Char(' ') + item.name;
    if (!item.note.isEmpty())
        text += QStringLiteral(", ") + item.note;
    return text;
}
