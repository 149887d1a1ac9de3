#include "shopping/shoppinglistadapter.h"

#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglistfile.h"
#include "shopping/shoppingliststore.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStandardItemModel>

#include <algorithm>

namespace {

void setRowCount(QStandardItemModel& model, int count)
{
    // Rows are reused where they are, so that views keep their place.
    if (model.rowCount() > count)
        model.removeRows(count, model.rowCount() - count);
    while (model.rowCount() < count)
        model.appendRow(new QStandardItem); // owned by the model
}

void setData(QStandardItemModel& model, int row, const QVariant& value, int role)
{
    QStandardItem* item = model.item(row);
    if (item->data(role) != value)
        item->setData(value, role);
}

} // namespace

ShoppingListAdapter::ShoppingListAdapter(QObject* parent)
    : QObject(parent)
    , m_store(std::make_unique<ShoppingListStore>())
    , m_recipes(std::make_unique<QStandardItemModel>())
    , m_rows(std::make_unique<QStandardItemModel>())
{
    m_recipes->setItemRoleNames({{Qt::DisplayRole, "display"},
                                 {PathRole, "path"},
                                 {AmountRole, "amount"},
                                 {MissingRole, "missing"}});
    m_rows->setItemRoleNames({{Qt::DisplayRole, "display"},
                              {TickedRole, "ticked"},
                              {HandWrittenRole, "handWritten"},
                              {DetailRole, "detail"},
                              {KeyRole, "key"}});
    connect(m_store.get(), &ShoppingListStore::changed, this, [this] {
        showRecipes();
        showRows();
        emit listChanged();
    });
    // Passed on from the event loop: the first is said while the page that
    // declares this object is still being made, before it listens.
    connect(m_store.get(), &ShoppingListStore::message, this, &ShoppingListAdapter::message,
            Qt::QueuedConnection);
    showRecipes();
    showRows();
}

ShoppingListAdapter::~ShoppingListAdapter() = default;

QString ShoppingListAdapter::collectionPath() const
{
    return m_store->collectionPath();
}

void ShoppingListAdapter::setCollectionPath(const QString& path)
{
    if (path == m_store->collectionPath() && m_store->keptInFile())
        return;
    m_store->setCollectionPath(path);
    emit collectionPathChanged();
}

QObject* ShoppingListAdapter::recipes() const
{
    return m_recipes.get();
}

QObject* ShoppingListAdapter::rows() const
{
    return m_rows.get();
}

bool ShoppingListAdapter::keptInFile() const
{
    return m_store->keptInFile();
}

QString ShoppingListAdapter::addRecipe(const QString& path)
{
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(path);
    if (path.isEmpty() || !recipe.readable)
        return tr("No recipe to add");
    if (!m_store->addRecipe(recipe))
        return tr("%1 is already on the shopping list").arg(recipe.title);
    return tr("%1 added to the shopping list").arg(recipe.title);
}

void ShoppingListAdapter::removeRecipe(const QString& path)
{
    m_store->removeRecipe(path);
}

void ShoppingListAdapter::changeAmount(const QString& path, int step)
{
    m_store->readFileIfChanged();
    const ShoppingList& list = m_store->list();
    for (int row = 0; row < list.size(); ++row) {
        const ShoppingEntry& entry = list.entry(row);
        if (entry.recipe.path != path)
            continue;
        if (entry.hasServings())
            m_store->setWantedServings(
                path,
                (entry.wantedServings > 0 ? entry.wantedServings : entry.recipe.servings) + step);
        else
            m_store->setFactorHalves(path, entry.factorHalves + step);
        return;
    }
}

void ShoppingListAdapter::clear()
{
    m_store->clear();
}

void ShoppingListAdapter::setTicked(int row, bool ticked)
{
    if (row < 0 || row >= m_rows->rowCount())
        return;
    const QStandardItem* item = m_rows->item(row);
    if (item->data(HandWrittenRole).toBool())
        m_store->setHandRowTicked(item->text(), ticked);
    else
        m_store->setTicked(item->data(KeyRole).toString(), ticked);
}

bool ShoppingListAdapter::addRow(const QString& text)
{
    return m_store->addHandRow(text);
}

void ShoppingListAdapter::removeRow(int row)
{
    if (row >= 0 && row < m_rows->rowCount() && m_rows->item(row)->data(HandWrittenRole).toBool())
        m_store->removeHandRow(m_rows->item(row)->text());
}

QString ShoppingListAdapter::markdown() const
{
    return m_store->toMarkdown();
}

void ShoppingListAdapter::copyToClipboard() const
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(markdown());
}

void ShoppingListAdapter::showRecipes()
{
    const ShoppingList& list = m_store->list();
    setRowCount(*m_recipes, list.size());
    for (int row = 0; row < list.size(); ++row) {
        const ShoppingEntry& entry = list.entry(row);
        ShoppingFileRecipe shown;
        if (entry.hasServings())
            shown.servings =
                entry.wantedServings > 0 ? entry.wantedServings : entry.recipe.servings;
        else
            shown.factorHalves = entry.factorHalves;
        setData(*m_recipes, row, entry.recipe.title, Qt::DisplayRole);
        setData(*m_recipes, row, entry.recipe.path, PathRole);
        setData(*m_recipes, row, ShoppingListFile::amountText(shown), AmountRole);
        setData(*m_recipes, row, !entry.recipe.readable, MissingRole);
    }
}

void ShoppingListAdapter::showRows()
{
    struct Shown
    {
        QString text;
        bool ticked;
        bool handWritten;
        QString detail;
        QString key;
    };
    QList<Shown> shown;
    for (const ShoppingItem& item : m_store->items())
        shown.append(
            {item.text(), item.ticked, false, item.byRecipe.join(QStringLiteral(", ")), item.key});
    for (const ShoppingFileRow& row : m_store->handRows())
        shown.append({row.text, row.ticked, true, QString(), row.text});
    // What is in the basket already goes to the end.
    std::stable_partition(shown.begin(), shown.end(), [](const Shown& row) { return !row.ticked; });
    setRowCount(*m_rows, int(shown.size()));
    for (int row = 0; row < shown.size(); ++row) {
        setData(*m_rows, row, shown.at(row).text, Qt::DisplayRole);
        setData(*m_rows, row, shown.at(row).ticked, TickedRole);
        setData(*m_rows, row, shown.at(row).handWritten, HandWrittenRole);
        setData(*m_rows, row, shown.at(row).detail, DetailRole);
        setData(*m_rows, row, shown.at(row).key, KeyRole);
    }
}
