#include "writing/metadatapane.h"

#include "files/safefile.h"
#include "recipe/recipeparser.h"

#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

std::unique_ptr<QStandardItem> readOnlyItem(const QString& text)
{
    auto item = std::make_unique<QStandardItem>(text);
    item->setEditable(false);
    return item;
}

void appendRow(QStandardItem* parent, std::unique_ptr<QStandardItem> child)
{
    parent->appendRow(child.release());
}

} // namespace

MetaDataPane::MetaDataPane(QWidget* parent)
    : PaneBase(parent)
    , model(std::make_unique<QStandardItemModel>())
{
    auto layout = std::make_unique<QVBoxLayout>();
    auto view = std::make_unique<QTreeView>();
    view->setModel(model.get());
    view->setHeaderHidden(true);
    layout->addWidget(view.release());
    setLayout(layout.release());
}

// The view goes with the child widgets only after this body; it must not be
// left showing the model that goes with the members.
MetaDataPane::~MetaDataPane()
{
    qDeleteAll(findChildren<QTreeView*>(QString(), Qt::FindDirectChildrenOnly));
}

void MetaDataPane::openPath(const QString& path)
{
    model->clear();
    SafeFile file(path);
    if (!file.isOpen())
        return;
    const ParsedRecipe recipe = parseRecipe(&file.file());
    file.file().close();
    // Metadata alone does not make a recipe.
    if (recipe.title.isEmpty() && recipe.ingredients.isEmpty() && recipe.tags.isEmpty())
        return;

    QStandardItem* root = model->invisibleRootItem();
    appendRow(root, readOnlyItem(recipe.title));

    auto ingredients =
        readOnlyItem(QStringLiteral("ingredients (%1)").arg(recipe.ingredients.size()));
    for (const Ingredient& ingredient : recipe.ingredients)
        appendRow(ingredients.get(), readOnlyItem(ingredient.ingredient));
    appendRow(root, std::move(ingredients));

    auto tags = readOnlyItem(QStringLiteral("tags (%1)").arg(recipe.tags.size()));
    for (const QString& tag : recipe.tags)
        appendRow(tags.get(), readOnlyItem(tag));
    appendRow(root, std::move(tags));

    auto meta = readOnlyItem(QStringLiteral("meta (%1)").arg(recipe.otherMeta.size()));
    for (auto entry = recipe.otherMeta.cbegin(); entry != recipe.otherMeta.cend(); ++entry) {
        auto key = readOnlyItem(entry.key());
        for (const QString& value : entry.value())
            appendRow(key.get(), readOnlyItem(value));
        appendRow(meta.get(), std::move(key));
    }
    appendRow(root, std::move(meta));
}
