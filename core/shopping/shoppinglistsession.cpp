#include "shopping/shoppinglistsession.h"

#include "pantry/pantrystore.h"
#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppingliststore.h"
#include "shopping/shoppingrecipesmodel.h"
#include "shopping/shoppingrowsmodel.h"

#include <QClipboard>
#include <QGuiApplication>

ShoppingListSession::ShoppingListSession(QObject* parent)
    : QObject(parent)
    , m_store(std::make_unique<ShoppingListStore>())
    , m_pantry(std::make_unique<PantryStore>())
    , m_recipes(std::make_unique<ShoppingRecipesModel>(m_store.get()))
    , m_rows(std::make_unique<ShoppingRowsModel>(m_store.get(), m_pantry.get()))
{
    connect(m_store.get(), &ShoppingListStore::changed, this, &ShoppingListSession::listChanged);
    // Passed on from the event loop: the first is said while the window that
    // makes this object is still being made, before it listens.
    connect(m_store.get(), &ShoppingListStore::message, this, &ShoppingListSession::message,
            Qt::QueuedConnection);
}

ShoppingListSession::~ShoppingListSession() = default;

QString ShoppingListSession::collectionPath() const
{
    return m_store->collectionPath();
}

void ShoppingListSession::setCollectionPath(const QString& path)
{
    const bool moved = path != m_store->collectionPath();
    m_store->setCollectionPath(path);
    m_pantry->setCollectionPath(path);
    if (moved)
        emit collectionPathChanged();
}

QAbstractItemModel* ShoppingListSession::recipesModel() const
{
    return m_recipes.get();
}

QAbstractItemModel* ShoppingListSession::rowsModel() const
{
    return m_rows.get();
}

bool ShoppingListSession::keptInFile() const
{
    return m_store->keptInFile();
}

QString ShoppingListSession::addRecipe(const QString& path)
{
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(path);
    if (path.isEmpty() || !recipe.readable)
        return tr("No recipe to add");
    if (!m_store->addRecipe(recipe))
        return tr("%1 is already on the shopping list").arg(recipe.title);
    return tr("%1 added to the shopping list").arg(recipe.title);
}

bool ShoppingListSession::addRecipeFor(const QString& path, int servings, int factorHalves)
{
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(path);
    if (path.isEmpty() || !recipe.readable || !m_store->addRecipe(recipe))
        return false;
    if (recipe.servings > 0 && servings > 0)
        m_store->setWantedServings(path, servings);
    else if (recipe.servings <= 0 && factorHalves > 0)
        m_store->setFactorHalves(path, factorHalves);
    return true;
}

void ShoppingListSession::removeRecipe(const QString& path)
{
    m_store->removeRecipe(path);
}

void ShoppingListSession::changeAmount(const QString& path, int step)
{
    // The step counts from the amount on the list as it is now.
    m_store->readFileIfChanged();
    m_recipes->changeAmount(m_recipes->rowOf(path), step);
}

void ShoppingListSession::clear()
{
    m_store->clear();
}

void ShoppingListSession::setTicked(int row, bool ticked)
{
    m_rows->setTicked(row, ticked);
}

bool ShoppingListSession::addRow(const QString& text)
{
    return m_store->addHandRow(text);
}

void ShoppingListSession::removeRow(int row)
{
    m_rows->removeHandRow(row);
}

QString ShoppingListSession::putTickedInPantry()
{
    QStringList bought;
    QStringList handRows;
    QStringList rowKeys;
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        const QModelIndex index = m_rows->index(row);
        if (!index.data(ShoppingRowsModel::TickedRole).toBool())
            continue;
        bought.append(m_rows->boughtLines(row));
        if (index.data(ShoppingRowsModel::HandWrittenRole).toBool())
            handRows.append(index.data(ShoppingRowsModel::NameRole).toString());
        else
            rowKeys.append(index.data(ShoppingRowsModel::KeyRole).toString());
    }
    if (handRows.isEmpty() && rowKeys.isEmpty())
        return tr("No ticked rows to put in the pantry");
    m_pantry->batch([&] {
        for (const QString& line : std::as_const(bought))
            m_pantry->add(line);
    });
    for (const QString& text : std::as_const(handRows))
        m_store->removeHandRow(text);
    for (const QString& key : std::as_const(rowKeys))
        m_store->setTicked(key, false);
    const int count = int(handRows.size() + rowKeys.size());
    return count == 1 ? tr("1 row put in the pantry") : tr("%1 rows put in the pantry").arg(count);
}

QString ShoppingListSession::markdown() const
{
    return m_store->toMarkdown();
}

void ShoppingListSession::copyToClipboard() const
{
    // A program without a clipboard (no GUI application) copies nothing.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setText(markdown());
}

void ShoppingListSession::reread(const QString& path)
{
    if (m_store->list().contains(path))
        m_store->reread(path);
}

void ShoppingListSession::rereadAll()
{
    m_store->rereadAll();
}
