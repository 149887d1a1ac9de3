#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

class ShoppingListStore;

// The rows of the shopping list to tick: the merged ingredients ("1¼ kg
// plain flour", with each recipe's own part as detail), then the rows written
// by hand; ticked rows go last, in that order. A row is a place in the list:
// a change of the list changes the data of the places, and adds or takes
// places at the end, so that views keep their scroll.
class ShoppingRowsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        TickedRole = Qt::UserRole + 1,
        HandWrittenRole,
        DetailRole, // "Carrot soup: 2 pcs, Bread: 1 pcs"
        KeyRole,    // the name's key; "hand:" and the folded text for a hand row
        AmountRole, // "2 pcs + 300 g", the units included; empty when none is given
        NameRole,
    };

    // The store must outlive the model.
    explicit ShoppingRowsModel(ShoppingListStore* store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setTicked(int row, bool ticked);
    // Rows written by hand only; false for any other.
    bool removeHandRow(int row);

private:
    struct Row
    {
        QString key;
        QString amount;
        QString name;
        QStringList byRecipe;
        bool ticked = false;
        bool handWritten = false;

        QString text() const;
        bool operator==(const Row& other) const;
    };

    QList<Row> rowsOfStore() const;
    void follow();

    ShoppingListStore* m_store; // not owned
    QList<Row> m_rows;
};
