#include "browse/listpane.h"

#include "collection/scanner.h"
#include "collection/titlefilterproxy.h"

#include <QAction>
#include <QIcon>
#include <QLineEdit>
#include <QListView>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

ListPane::ListPane(QWidget* parent)
    : QWidget(parent)
    , proxy(std::make_unique<TitleFilterProxy>())
{
    view = new QListView(this);
    // Every row is one line of text. Without this the view asks every row for
    // its size on each new model and each filter change, which at 100,000
    // titles freezes the window for most of a second.
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Titles are dragged onto the meal plan's days.
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    auto* layout = new QVBoxLayout(this);

    auto* search = new QLineEdit(this);
    search->setPlaceholderText(QStringLiteral("Search"));
    QAction* clearAction = search->addAction(QIcon::fromTheme(QStringLiteral("edit-clear")),
                                             QLineEdit::TrailingPosition);
    connect(clearAction, &QAction::triggered, search, &QLineEdit::clear);
    connect(search, &QLineEdit::textChanged, this, &ListPane::setFilterString);

    layout->addWidget(search);
    layout->addWidget(view);
    connect(view, &QListView::clicked, this, &ListPane::announce);
    view->setModel(proxy.get());
}

// The view goes with the child widgets only after this body; it must not be
// left showing a proxy that is already gone.
ListPane::~ListPane()
{
    delete view;
}

void ListPane::setModel(const std::shared_ptr<QStandardItemModel>& newModel)
{
    // The proxy moves to the new model before the pane lets go of the old one,
    // so it never refers to a destroyed model.
    std::shared_ptr<QStandardItemModel> old = std::exchange(model, newModel);
    proxy->setSourceModel(model.get());
}

QStringList ListPane::selectedPaths() const
{
    QModelIndexList rows = view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList paths;
    for (const QModelIndex& row : rows)
        paths.append(row.data(PathRole).toString());
    return paths;
}

void ListPane::setFilterString(const QString& filter)
{
    proxy->setFilterText(filter);
}

void ListPane::announce(const QModelIndex& index)
{
    const QString path = index.model() ? index.data(PathRole).toString() : QString();
    if (!path.isEmpty())
        emit fileSelected(path);
}
