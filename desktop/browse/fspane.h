#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <memory>

class FileNameTitleMapper;
class OneColumnProxy;
class QFileSystemModel;
class QModelIndex;
class QTreeView;

// The collection as it lies on disk: its folders and recipe files in a tree,
// recipes shown by title once the scanner has read them. A click on a row
// announces its path, folders included.
class FsPane : public QWidget
{
    Q_OBJECT
public:
    explicit FsPane(QWidget* parent = nullptr);
    ~FsPane() override;

    // Shows the tree under `path`; a folder that cannot be shown leaves the
    // tree empty.
    void setRootPath(const QString& path);
    // Installs the scanner's path-to-title table and shows the tree under the
    // current root again.
    void setTitlesByPath(QHash<QString, QString> titles);

signals:
    void fileSelected(const QString& path);

private:
    void announce(const QModelIndex& index);
    void showModel(OneColumnProxy* model);

    std::unique_ptr<QFileSystemModel> fileSystemModel;
    std::unique_ptr<OneColumnProxy> columnProxy;
    std::unique_ptr<FileNameTitleMapper> titleMapper;
    QTreeView* view = nullptr; // child through the layout
    QString rootPath;
};
