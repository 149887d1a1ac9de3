#include "shopping/shoppinglist.h"

#include "quantity/kitchenunits.h"
#include "quantity/unitgroups.h"
#include "shopping/shoppingingredientreader.h"
#include "text/nameforms.h"

#include <QHash>

#include <algorithm>

namespace {

struct Contribution
{
    const ShoppingIngredient* ingredient;
    Fraction factor;
    QChar decimalMark; // of the recipe the amount comes from
};

// One summand of a row's amounts: a sum in one unit (or unit group), or a
// text amount, which stands alone.
struct Part
{
    ShoppingQuantity quantity; // the sum key is empty for text
    int lines = 0;
    bool asWritten = false;
    QString written;
};

QString numberText(const Part& part, bool mayShowAsWritten)
{
    // A single line at the recipe's own amount reads exactly as in the file,
    // where nothing else on the list is shown beside it.
    if (mayShowAsWritten && part.lines == 1 && part.asWritten)
        return part.written;
    return ShoppingList::quantityText(part.quantity);
}

QList<Part> partsOf(const QList<Contribution>& contributions)
{
    QList<Part> parts;
    for (const Contribution& contribution : contributions) {
        const ShoppingIngredient& ingredient = *contribution.ingredient;
        if (ingredient.amount.isText()) {
            Part text;
            text.written = ingredient.amount.text();
            parts.append(text);
            continue;
        }
        if (!ingredient.amount.isNumber())
            continue;
        const QString key = UnitGroups::sumKey(ingredient.unit);
        const Amount value = ingredient.amount.scaled(contribution.factor)
                                 .scaled(UnitGroups::baseUnitsPer(ingredient.unit));
        auto found = std::find_if(parts.begin(), parts.end(), [&](const Part& part) {
            return part.lines > 0 && part.quantity.sumKey == key;
        });
        if (found != parts.end()) {
            found->quantity.sum = found->quantity.sum.plus(value);
            found->quantity.usedUnits.append(ingredient.unit);
            ++found->lines;
            continue;
        }
        Part number;
        number.quantity.sumKey = key;
        number.quantity.unit = ingredient.unit;
        number.quantity.usedUnits = {ingredient.unit};
        number.quantity.sum = value;
        number.quantity.decimalMark = contribution.decimalMark;
        number.lines = 1;
        number.asWritten = contribution.factor == Fraction(1);
        number.written = ingredient.written;
        parts.append(number);
    }
    // Summed amounts first, the text amounts beside them as written.
    std::stable_partition(parts.begin(), parts.end(),
                          [](const Part& part) { return part.lines > 0; });
    return parts;
}

QString amountsText(const QList<Part>& parts, bool mayShowAsWritten)
{
    QStringList texts;
    for (const Part& part : parts)
        texts.append(part.lines > 0 ? numberText(part, mayShowAsWritten) : part.written);
    return texts.join(QStringLiteral(" + "));
}

} // namespace

bool ShoppingList::contains(const QString& path) const
{
    return std::any_of(m_entries.cbegin(), m_entries.cend(),
                       [&](const ShoppingEntry& entry) { return entry.recipe.path == path; });
}

void ShoppingList::add(const ShoppingRecipe& recipe)
{
    ShoppingEntry entry;
    entry.recipe = recipe;
    entry.wantedServings = recipe.servings;
    restore(entry);
}

void ShoppingList::restore(const ShoppingEntry& entry)
{
    if (!contains(entry.recipe.path))
        m_entries.append(entry);
}

void ShoppingList::removeAt(int row)
{
    if (row < 0 || row >= size())
        return;
    m_entries.removeAt(row);
    forgetTicksNotShown();
}

void ShoppingList::clear()
{
    m_entries.clear();
    m_ticked.clear();
}

void ShoppingList::setWantedServings(int row, int servings)
{
    if (row >= 0 && row < size())
        m_entries[row].wantedServings =
            std::clamp(servings, ShoppingEntry::minServings, ShoppingEntry::maxServings);
}

void ShoppingList::setFactorHalves(int row, int halves)
{
    if (row >= 0 && row < size())
        m_entries[row].factorHalves =
            std::clamp(halves, ShoppingEntry::minFactorHalves, ShoppingEntry::maxFactorHalves);
}

bool ShoppingList::reread(const QString& path)
{
    bool found = false;
    for (ShoppingEntry& entry : m_entries) {
        if (entry.recipe.path != path)
            continue;
        found = true;
        ShoppingRecipe recipe = ShoppingIngredientReader::read(path);
        if (!recipe.readable && !entry.recipe.title.isEmpty())
            recipe.title = entry.recipe.title;
        // A recipe that now names servings starts at its own.
        if (recipe.servings > 0 && entry.recipe.servings == 0)
            entry.wantedServings = recipe.servings;
        entry.recipe = recipe;
    }
    return found;
}

void ShoppingList::rereadAll()
{
    QStringList paths;
    for (const ShoppingEntry& entry : std::as_const(m_entries))
        paths.append(entry.recipe.path);
    for (const QString& path : std::as_const(paths))
        reread(path);
}

QList<ShoppingItem> ShoppingList::items() const
{
    struct Row
    {
        ShoppingItem item;
        QList<Contribution> all;
        QList<QPair<int, QList<Contribution>>> byEntry;
    };
    QList<Row> rows;
    QHash<QString, qsizetype> rowOfKey;
    for (int e = 0; e < size(); ++e) {
        const ShoppingEntry& entry = m_entries.at(e);
        if (!entry.recipe.readable)
            continue;
        const Fraction factor = entry.factor();
        for (const ShoppingIngredient& ingredient : entry.recipe.ingredients) {
            const QString key = nameKey(ingredient.name);
            if (key.isEmpty())
                continue;
            auto found = rowOfKey.constFind(key);
            // The singular and the plural of one name share a row.
            for (const QString& variant : NameForms::variants(key)) {
                if (found != rowOfKey.constEnd())
                    break;
                found = rowOfKey.constFind(variant);
            }
            if (found == rowOfKey.constEnd()) {
                found = rowOfKey.insert(key, rows.size());
                Row row;
                row.item.key = key;
                row.item.name = ingredient.name.trimmed();
                rows.append(row);
            }
            Row& row = rows[*found];
            const Contribution contribution{&ingredient, factor, entry.recipe.decimalMark};
            row.all.append(contribution);
            if (row.byEntry.isEmpty() || row.byEntry.last().first != e)
                row.byEntry.append(qMakePair(e, QList<Contribution>()));
            row.byEntry.last().second.append(contribution);
        }
    }
    QList<ShoppingItem> items;
    for (Row& row : rows) {
        // Amounts read as written only for a recipe alone on the list; each
        // recipe's own part in the tool tip always may.
        const QList<Part> parts = partsOf(row.all);
        row.item.amounts = amountsText(parts, m_entries.size() == 1);
        for (const Part& part : parts) {
            if (part.lines > 0)
                row.item.quantities.append(part.quantity);
            else
                row.item.wordAmounts.append(part.written);
        }
        for (const auto& [e, contributions] : std::as_const(row.byEntry)) {
            const QString title = m_entries.at(e).recipe.title;
            const QString amounts = amountsText(partsOf(contributions), true);
            row.item.byRecipe.append(amounts.isEmpty() ? title
                                                       : title + QStringLiteral(": ") + amounts);
        }
        row.item.ticked = m_ticked.contains(row.item.key);
        items.append(row.item);
    }
    return items;
}

void ShoppingList::setTicked(const QString& key, bool ticked)
{
    if (ticked)
        m_ticked.insert(key);
    else
        m_ticked.remove(key);
}

QString ShoppingList::toMarkdown() const
{
    QString text;
    for (const ShoppingItem& item : items()) {
        text += item.ticked ? QStringLiteral("- [x] ") : QStringLiteral("- [ ] ");
        text += item.text() + QLatin1Char('\n');
    }
    return text;
}

QString ShoppingList::quantityText(const ShoppingQuantity& quantity)
{
    if (UnitGroups::isGroup(quantity.sumKey)) {
        QString unit =
            UnitGroups::displayUnit(quantity.sumKey, quantity.sum.low(), quantity.usedUnits);
        const Amount shown = quantity.sum.scaled(Fraction(1) / UnitGroups::baseUnitsPer(unit));
        // In the first recipe's own spelling where it is that unit by another
        // name ("克", "Gramm"); a mere difference of case ("L") is not kept.
        if (KitchenUnits::sumKey(unit) == KitchenUnits::sumKey(quantity.unit) &&
            quantity.unit.toCaseFolded() != unit)
            unit = quantity.unit;
        return shown.toDisplayString(Amount::Notation::Decimals, quantity.decimalMark) +
               QLatin1Char(' ') + unit;
    }
    const QString number = quantity.sum.toDisplayString(KitchenUnits::notationFor(quantity.unit),
                                                        quantity.decimalMark);
    return quantity.unit.isEmpty() ? number : number + QLatin1Char(' ') + quantity.unit;
}

QString ShoppingList::nameKey(const QString& name)
{
    return name.simplified().toCaseFolded();
}

void ShoppingList::forgetTicksNotShown()
{
    QSet<QString> shown;
    for (const ShoppingItem& item : items())
        shown.insert(item.key);
    m_ticked.intersect(shown);
}
