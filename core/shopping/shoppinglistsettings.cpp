#include "shopping/shoppinglistsettings.h"

#include "recipe/recipefile.h"
#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglist.h"

#include <QDir>
#include <QSettings>

#include <cmath>
#include <optional>

namespace {

// More than anyone shops for; a garbage count is not followed further.
constexpr int maxKeptRecipes = 500;
constexpr int maxKeptTicks = 5000;

const QString recipesKey = QStringLiteral("recipes");
const QString pathKey = QStringLiteral("path");
const QString titleKey = QStringLiteral("title");
const QString servingsKey = QStringLiteral("servings");
const QString factorKey = QStringLiteral("factor");
const QString tickedKey = QStringLiteral("ticked");

// A setting that must be one string, not a list or anything else.
QString stringValue(const QVariant& value)
{
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

int intInRange(const QVariant& value, int low, int high, int fallback)
{
    bool ok = false;
    const int number = stringValue(value).toInt(&ok);
    return ok && number >= low && number <= high ? number : fallback;
}

int factorHalves(const QVariant& value)
{
    bool ok = false;
    const double factor = stringValue(value).toDouble(&ok);
    const double halves = factor * 2;
    if (!ok || !std::isfinite(halves) || halves != std::round(halves) ||
        halves < ShoppingEntry::minFactorHalves || halves > ShoppingEntry::maxFactorHalves)
        return 2;
    return int(halves);
}

std::optional<ShoppingEntry> readEntry(const QSettings& settings)
{
    const QString path = stringValue(settings.value(pathKey));
    // Only recipes were ever kept; anything else is no entry of ours.
    if (!QDir::isAbsolutePath(path) || !path.endsWith(RecipeFile::suffix))
        return std::nullopt;
    ShoppingEntry entry;
    entry.recipe = ShoppingIngredientReader::read(path);
    const QString title = stringValue(settings.value(titleKey)).trimmed();
    if (!entry.recipe.readable && !title.isEmpty())
        entry.recipe.title = title;
    entry.wantedServings = intInRange(settings.value(servingsKey), ShoppingEntry::minServings,
                                      ShoppingEntry::maxServings, entry.recipe.servings);
    entry.factorHalves = factorHalves(settings.value(factorKey));
    return entry;
}

} // namespace

QString ShoppingListSettings::group()
{
    return QStringLiteral("ShoppingList");
}

void ShoppingListSettings::load(ShoppingList& list)
{
    list.clear();
    QSettings settings;
    settings.beginGroup(group());
    const int count = std::min(settings.beginReadArray(recipesKey), maxKeptRecipes);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        if (const auto entry = readEntry(settings))
            list.restore(*entry);
    }
    settings.endArray();
    const QVariant ticks = settings.value(tickedKey);
    if (ticks.typeId() == QMetaType::QStringList || ticks.typeId() == QMetaType::QString) {
        const QStringList keys = ticks.toStringList().mid(0, maxKeptTicks);
        QSet<QString> ticked;
        for (const QString& key : keys)
            ticked.insert(ShoppingList::nameKey(key));
        list.setTickedKeys(ticked);
    }
}

void ShoppingListSettings::save(const ShoppingList& list)
{
    QSettings settings;
    settings.beginGroup(group());
    settings.remove(QString());
    settings.beginWriteArray(recipesKey, list.size());
    for (int i = 0; i < list.size(); ++i) {
        const ShoppingEntry& entry = list.entry(i);
        settings.setArrayIndex(i);
        settings.setValue(pathKey, entry.recipe.path);
        settings.setValue(titleKey, entry.recipe.title);
        settings.setValue(servingsKey, QString::number(entry.wantedServings));
        settings.setValue(factorKey, QString::number(entry.factorHalves / 2.0));
    }
    settings.endArray();
    QStringList ticked(list.ticked().cbegin(), list.ticked().cend());
    ticked.sort();
    settings.setValue(tickedKey, ticked);
}
