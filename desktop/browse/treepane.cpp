#include "browse/treepane.h"

#include "collection/scanner.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTreeView>

#include <utility>

TreePane::TreePane(QWidget* parent)
    : QWidget(parent)
{
    view = new QTreeView(this);
    view->setHeaderHidden(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(view);
    connect(view, &QTreeView::clicked, this, &TreePane::announce);
}

// The view goes with the child widgets only after this body; it must not be
// left showing a model that the pane no longer keeps alive.
TreePane::~TreePane()
{
    delete view;
}

void TreePane::setModel(const std::shared_ptr<QStandardItemModel>& newModel)
{
    // The view moves to the new model before the pane lets go of the old one,
    // so it never refers to a destroyed model.
    std::shared_ptr<QStandardItemModel> old = std::exchange(model, newModel);
    QItemSelectionModel* oldSelection = view->selectionModel();
    view->setModel(model.get());
    // The view makes a new selection model for every model and leaves the old
    // one to its owner; without this every rescan would add one more.
    if (oldSelection && oldSelection != view->selectionModel())
        delete oldSelection;
}

void TreePane::announce(const QModelIndex& index)
{
    const QString path = index.model() ? index.data(PathRole).toString() : QString();
    if (!path.isEmpty())
        emit fileSelected(path);
}
