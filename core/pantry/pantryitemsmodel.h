#pragma once

#include <QAbstractListModel>
#include <QList>

#include "pantry/pantryfile.h"

class PantryStore;

// The pantry's items as both programs list them: "2 kg flour", with the
// name and the amount apart; an item without an amount is "enough". A row is
// a place in the list, as in the shopping list's rows, so that views keep
// their scroll when the file changes.
class PantryItemsModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        AmountRole, // "2 kg"; empty for "enough"
        EnoughRole, // held without an amount
        TextRole,   // the item as the file writes it
    };

    // The store must outlive the model.
    explicit PantryItemsModel(PantryStore* store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The item's text at `row`; empty beyond the rows.
    QString textAt(int row) const;

private:
    void follow();

    PantryStore* m_store; // not owned
    QList<PantryItem> m_items;
};
