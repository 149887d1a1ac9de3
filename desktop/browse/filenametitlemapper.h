#pragma once

#include <QHash>
#include <QIdentityProxyModel>
#include <QString>

// Sits on a QFileSystemModel and shows a recipe file by its title instead of
// its file name, once the scanner has read it. Everything else (icons, paths,
// row order) is the file system model's.
class FileNameTitleMapper : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    ~FileNameTitleMapper() override;

    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces the path-to-title table; views see a reset, since any row's
    // text may have changed.
    void setTitlesByPath(QHash<QString, QString> titles);

private:
    QHash<QString, QString> titlesByPath;
};
