#include "browse/onecolumnproxy.h"

OneColumnProxy::~OneColumnProxy() = default;

int OneColumnProxy::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent);
    return 1;
}

// The identity proxy would pass on the source's changes to every column, and
// views would hear of columns this model does not have. Changes are narrowed
// to the one column here, or dropped when they do not touch it. (The file
// system model never inserts, removes or moves columns.)
void OneColumnProxy::setSourceModel(QAbstractItemModel* source)
{
    if (QAbstractItemModel* old = sourceModel()) {
        disconnect(old, &QAbstractItemModel::dataChanged, this, nullptr);
        disconnect(old, &QAbstractItemModel::headerDataChanged, this, nullptr);
    }
    QIdentityProxyModel::setSourceModel(source);
    if (!source)
        return;
    disconnect(source, &QAbstractItemModel::dataChanged, this, nullptr);
    disconnect(source, &QAbstractItemModel::headerDataChanged, this, nullptr);
    connect(source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) {
                if (topLeft.column() > 0)
                    return;
                emit dataChanged(mapFromSource(topLeft),
                                 mapFromSource(bottomRight.siblingAtColumn(0)), roles);
            });
    connect(source, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation, int first, int last) {
                if (orientation == Qt::Horizontal) {
                    if (first > 0)
                        return;
                    last = 0;
                }
                emit headerDataChanged(orientation, first, last);
            });
}
