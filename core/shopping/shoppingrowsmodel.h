#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

class PantryStore;
class ShoppingListStore;

// The rows of the shopping list to tick: the merged ingredients ("1¼ kg
// plain flour", with each recipe's own part as detail), then the rows written
// by hand; ticked rows go last, in that order. A row is a place in the list:
// a change of the list changes the data of the places, and adds or takes
// places at the end, so that views keep their scroll.
//
// With a pantry, a row the pantry holds shows what is still to buy and the
// pantry's part ("250 g red lentils (500 g in the pantry)"); rows it covers
// fully come after all others, in the "In the pantry" part, still to tick.
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
        ToBuyRole,    // what is left to buy once the pantry's part is taken off
        PantryRole,   // "500 g in the pantry"; empty when the pantry holds none
        InPantryRole, // the pantry covers the row: nothing is left to buy
        SectionRole,  // "To buy" or "In the pantry"
    };

    // The store and the pantry (if any) must outlive the model.
    explicit ShoppingRowsModel(ShoppingListStore* store, PantryStore* pantry = nullptr,
                               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setTicked(int row, bool ticked);
    // Rows written by hand only; false for any other.
    bool removeHandRow(int row);

    // What a ticked row brings home: one line per amount bought ("250 g red
    // lentils"), the name alone where no amount is given; none for a row the
    // pantry covered.
    QStringList boughtLines(int row) const;

private:
    struct Row
    {
        QString key;
        QString amount;
        QString name;
        QStringList byRecipe;
        bool ticked = false;
        bool handWritten = false;
        QString toBuy;
        QString inPantry;
        bool held = false;
        bool covered = false;
        QStringList bought;

        QString text() const;
        QString pantryText() const;
        bool operator==(const Row& other) const;
    };

    QList<Row> rowsOfStore() const;
    void follow();

    ShoppingListStore* m_store; // not owned
    PantryStore* m_pantry;      // not owned; may be null
    QList<Row> m_rows;
};
