#include "browse/fspane.h"

#include "browse/filenametitlemapper.h"
#include "browse/onecolumnproxy.h"
#include "recipe/recipefile.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <utility>

FsPane::FsPane(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
{
    auto layout = std::make_unique<QVBoxLayout>();
    auto ownedView = std::make_unique<QTreeView>();

    fileSystemModel = std::make_unique<QFileSystemModel>();
    fileSystemModel->setNameFilters({RecipeFile::nameFilter()});
    // Hide other files instead of greying them out; folders are listed
    // whether or not they hold recipes.
    fileSystemModel->setNameFilterDisables(false);
    titleMapper = std::make_unique<FileNameTitleMapper>();
    titleMapper->setSourceModel(fileSystemModel.get());
    columnProxy = std::make_unique<OneColumnProxy>();
    columnProxy->setSourceModel(titleMapper.get());

    view = ownedView.get();
    view->setModel(columnProxy.get());
    view->setHeaderHidden(true);
    connect(
        view, &QTreeView::clicked, view, [this](const QModelIndex& index) { announce(index); },
        Qt::DirectConnection);

    layout->addWidget(ownedView.release());
    setLayout(layout.release());
}

// The view goes with the child widgets only after this body; it must not be
// left showing proxies that are already gone.
FsPane::~FsPane()
{
    delete view;
}

void FsPane::setRootPath(const QString& path)
{
    const QModelIndex index =
        columnProxy->mapFromSource(titleMapper->mapFromSource(fileSystemModel->setRootPath(path)));
    // For a folder that is not there the file system model answers with the
    // index of the root it had before, which would keep the old tree in view.
    if (index.isValid() && QFileInfo(path).isDir()) {
        showModel(columnProxy.get());
        view->setRootIndex(index);
        rootPath = path;
    } else {
        showModel(nullptr);
        rootPath.clear();
    }
}

void FsPane::setTitlesByPath(QHash<QString, QString> titles)
{
    // The reset drops the view's root index and expansion; show the root again.
    titleMapper->setTitlesByPath(std::move(titles));
    setRootPath(rootPath);
}

void FsPane::announce(const QModelIndex& index)
{
    emit fileSelected(index.data(QFileSystemModel::FilePathRole).toString());
}

void FsPane::showModel(OneColumnProxy* model)
{
    // A view makes a new selection model for every model it is given and
    // leaves the old one to its caller.
    QItemSelectionModel* oldSelection = view->selectionModel();
    view->setModel(model);
    if (oldSelection != view->selectionModel())
        delete oldSelection;
}
