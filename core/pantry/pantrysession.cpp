#include "pantry/pantrysession.h"

#include "pantry/pantryamounts.h"
#include "pantry/pantryitemsmodel.h"
#include "pantry/pantrystock.h"
#include "pantry/pantrystore.h"
#include "search/recipesearch.h"
#include "shopping/shoppingingredientreader.h"

PantrySession::PantrySession(QObject* parent)
    : QObject(parent)
    , m_store(std::make_unique<PantryStore>())
    , m_items(std::make_unique<PantryItemsModel>(m_store.get()))
{
    connect(m_store.get(), &PantryStore::changed, this, &PantrySession::pantryChanged);
    // Passed on from the event loop: the first may be said before anyone
    // listens.
    connect(m_store.get(), &PantryStore::message, this, &PantrySession::message,
            Qt::QueuedConnection);
}

PantrySession::~PantrySession() = default;

QString PantrySession::collectionPath() const
{
    return m_store->collectionPath();
}

void PantrySession::setCollectionPath(const QString& path)
{
    const bool moved = path != m_store->collectionPath();
    m_store->setCollectionPath(path);
    if (moved)
        emit collectionPathChanged();
}

QAbstractItemModel* PantrySession::itemsModel() const
{
    return m_items.get();
}

bool PantrySession::keptInFile() const
{
    return m_store->keptInFile();
}

int PantrySession::count() const
{
    return int(m_store->pantry().items().size());
}

void PantrySession::setSearch(RecipeSearch* search)
{
    if (m_search == search)
        return;
    m_search = search;
    emit searchChanged();
}

PantryStock PantrySession::stock() const
{
    return PantryStock(m_store->pantry().readings());
}

bool PantrySession::add(const QString& line)
{
    return m_store->add(line);
}

void PantrySession::remove(int row)
{
    const QString text = m_items->textAt(row);
    if (!text.isEmpty())
        m_store->remove(text);
}

void PantrySession::changeAmount(int row, const QString& amount)
{
    const QString text = m_items->textAt(row);
    if (text.isEmpty())
        return;
    const IngredientReading item = readIngredientLine(text);
    m_store->replace(text, PantryAmounts::itemText(amount.simplified(), item));
}

QStringList PantrySession::suggestions(const QString& typed, int limit) const
{
    return m_search ? m_search->ingredientSuggestions(typed, limit) : QStringList();
}

QString PantrySession::takeOutQuestion(const QString& recipePath) const
{
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(recipePath);
    if (!recipe.readable)
        return QString();
    const PantryStock pantry = stock();
    QStringList held;
    for (const ShoppingIngredient& ingredient : recipe.ingredients) {
        if (!ingredient.amount.isNumber())
            continue;
        for (const IngredientReading& item : pantry.itemsNamed(ingredient.name)) {
            if (item.amount.isNumber() &&
                PantryAmounts::unitKey(item.unit) == PantryAmounts::unitKey(ingredient.unit)) {
                held.append(ingredient.name);
                break;
            }
        }
    }
    if (held.isEmpty())
        return QString();
    return tr("Take what %1 used out of the pantry? (%2)")
        .arg(recipe.title, held.join(QStringLiteral(", ")));
}

void PantrySession::takeOutRecipe(const QString& recipePath, int servings)
{
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(recipePath);
    if (!recipe.readable)
        return;
    const Fraction factor =
        servings > 0 && recipe.servings > 0 ? Fraction(servings, recipe.servings) : Fraction(1);
    m_store->batch([&] {
        for (const ShoppingIngredient& ingredient : recipe.ingredients) {
            if (ingredient.amount.isNumber())
                m_store->takeOut(ingredient.name, ingredient.amount.scaled(factor),
                                 ingredient.unit);
        }
    });
}
