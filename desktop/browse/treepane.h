#pragma once

#include <QWidget>

#include <memory>

class QModelIndex;
class QStandardItemModel;
class QTreeView;

// One two-level index of the collection (tags or ingredients): the keys, and
// under each the recipes filed there. A click on a recipe announces its path.
class TreePane : public QWidget
{
    Q_OBJECT
public:
    explicit TreePane(QWidget* parent = nullptr);
    ~TreePane() override;

    // Shows the index model, collapsed; an empty pointer empties the tree.
    void setModel(const std::shared_ptr<QStandardItemModel>& model);

signals:
    void fileSelected(const QString& path);

private:
    void announce(const QModelIndex& index);

    std::shared_ptr<QStandardItemModel> model;
    QTreeView* view = nullptr; // child widget
};
