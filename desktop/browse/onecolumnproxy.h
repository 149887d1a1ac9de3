#pragma once

#include <QIdentityProxyModel>

// Passes on only the first column of its source: the folder pane shows names,
// not the file system model's size, type and date columns.
class OneColumnProxy : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    ~OneColumnProxy() override;

    int columnCount(const QModelIndex& parent) const override;
    void setSourceModel(QAbstractItemModel* source) override;
};
