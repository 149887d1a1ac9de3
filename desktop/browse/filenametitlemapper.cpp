#include "browse/filenametitlemapper.h"

#include <QFileSystemModel>

#include <utility>

FileNameTitleMapper::~FileNameTitleMapper() = default;

QVariant FileNameTitleMapper::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DisplayRole && !titlesByPath.isEmpty()) {
        const QString path =
            QIdentityProxyModel::data(index, QFileSystemModel::FilePathRole).toString();
        const auto found = titlesByPath.constFind(path);
        // A recipe without a title line is shown without a name: what the
        // writer sees is what the other panes list it by.
        if (found != titlesByPath.constEnd())
            return QVariant(found.value());
    }
    return QIdentityProxyModel::data(index, role);
}

void FileNameTitleMapper::setTitlesByPath(QHash<QString, QString> titles)
{
    beginResetModel();
    titlesByPath = std::move(titles);
    endResetModel();
}
