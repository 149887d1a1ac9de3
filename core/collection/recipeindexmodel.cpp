#include "collection/recipeindexmodel.h"

#include "collection/scanner.h"

#include <QSignalBlocker>

#include <algorithm>

RecipeIndexModel::RecipeIndexModel(std::shared_ptr<const Recipes> recipes, QObject* parent)
    : QStandardItemModel(parent)
    , m_recipes(std::move(recipes))
{
    forgetRemovedKeys();
}

RecipeIndexModel::~RecipeIndexModel() = default;

// A key taken out of the model takes no rows made later with it.
void RecipeIndexModel::forgetRemovedKeys()
{
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_pending.clear(); });
    connect(this, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (parent.isValid())
                    return;
                for (int row = first; row <= last; ++row)
                    m_pending.erase(item(row));
            });
}

std::unique_ptr<QStandardItem> RecipeIndexModel::rowPrototype(bool withPath)
{
    auto prototype = std::make_unique<QStandardItem>();
    prototype->setData(0, Qt::DisplayRole);
    if (withPath)
        prototype->setData(0, PathRole);
    prototype->setEditable(false);
    return prototype;
}

void RecipeIndexModel::appendKeys(const QStringList& keys, std::vector<RecipeNumbers> recipesOf)
{
    const std::unique_ptr<QStandardItem> prototype = rowPrototype(false);
    QList<QStandardItem*> rows;
    rows.reserve(keys.size());
    for (qsizetype at = 0; at < keys.size(); ++at) {
        std::unique_ptr<QStandardItem> key(prototype->clone());
        key->setText(keys[at]);
        RecipeNumbers& numbers = recipesOf[std::size_t(at)];
        if (!numbers.empty())
            m_pending.emplace(key.get(), Pending{std::move(numbers), false});
        rows.append(key.release()); // owned by the model next
    }
    invisibleRootItem()->appendRows(rows);
}

const RecipeIndexModel::Pending* RecipeIndexModel::pendingOf(const QStandardItem* key) const
{
    if (m_pending.empty() || !key)
        return nullptr;
    const auto found = m_pending.find(key);
    return found == m_pending.end() ? nullptr : &found->second;
}

void RecipeIndexModel::sortByTitle(Pending& pending) const
{
    if (pending.sorted)
        return;
    const std::vector<int>& placeOf = m_recipes->placeOf;
    std::sort(pending.numbers.begin(), pending.numbers.end(), [&placeOf](int a, int b) {
        return placeOf[std::size_t(a)] < placeOf[std::size_t(b)];
    });
    pending.sorted = true;
}

std::optional<QStringList> RecipeIndexModel::pendingChildPaths(const QStandardItem* key) const
{
    if (!pendingOf(key))
        return std::nullopt;
    Pending& pending = m_pending.find(key)->second;
    sortByTitle(pending);
    QStringList paths;
    paths.reserve(qsizetype(pending.numbers.size()));
    for (int number : pending.numbers)
        paths.append(m_recipes->paths[number]);
    return paths;
}

void RecipeIndexModel::makeChildren(const QStandardItem* key) const
{
    const auto found = pendingOf(key) ? m_pending.find(key) : m_pending.end();
    if (found == m_pending.end())
        return;
    Pending pending = std::move(found->second);
    m_pending.erase(found);
    sortByTitle(pending);
    const std::unique_ptr<QStandardItem> prototype = rowPrototype(true);
    QList<QStandardItem*> children;
    children.reserve(qsizetype(pending.numbers.size()));
    for (int number : pending.numbers) {
        std::unique_ptr<QStandardItem> child(prototype->clone());
        child->setText(m_recipes->titles[number]);
        child->setData(m_recipes->paths[number], PathRole);
        children.append(child.release()); // owned by the key next
    }
    // To everyone who looks through the model the rows were always there:
    // hasChildren() said so, and nothing could be asked of them before now.
    const QSignalBlocker quiet(const_cast<RecipeIndexModel*>(this));
    const_cast<QStandardItem*>(key)->appendRows(children);
}

void RecipeIndexModel::makeChildrenAt(const QModelIndex& parent) const
{
    if (parent.isValid() && !m_pending.empty() && parent.model() == this)
        makeChildren(itemFromIndex(parent));
}

int RecipeIndexModel::rowCount(const QModelIndex& parent) const
{
    makeChildrenAt(parent);
    return QStandardItemModel::rowCount(parent);
}

int RecipeIndexModel::columnCount(const QModelIndex& parent) const
{
    makeChildrenAt(parent);
    return QStandardItemModel::columnCount(parent);
}

QModelIndex RecipeIndexModel::index(int row, int column, const QModelIndex& parent) const
{
    makeChildrenAt(parent);
    return QStandardItemModel::index(row, column, parent);
}

bool RecipeIndexModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.model() == this && pendingOf(itemFromIndex(parent)))
        return true;
    return QStandardItemModel::hasChildren(parent);
}
