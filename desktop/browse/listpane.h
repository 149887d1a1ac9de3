#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

class QListView;
class QModelIndex;
class QStandardItemModel;
class TitleFilterProxy;

// Every recipe of the collection by title, narrowed by a search field above
// the list. A click on a title announces that recipe's path.
class ListPane : public QWidget
{
    Q_OBJECT
public:
    explicit ListPane(QWidget* parent = nullptr);
    ~ListPane() override;

    // Shows the title model; an empty pointer empties the list. The search
    // text is kept and applies to the new model at once.
    void setModel(const std::shared_ptr<QStandardItemModel>& model);
    // The paths of the titles chosen in the list (with Ctrl or Shift for
    // several), in list order.
    QStringList selectedPaths() const;

signals:
    void fileSelected(const QString& path);

private slots:
    void setFilterString(const QString& filter);

private:
    void announce(const QModelIndex& index);

    std::shared_ptr<QStandardItemModel> model;
    std::unique_ptr<TitleFilterProxy> proxy;
    QListView* view = nullptr; // child widget
};
