#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// The rows the Find pane lists: the recipes that meet every condition, then
// those that lack one of the chosen ingredients. Column 0 shows the title,
// column 1 what a row lacks ("missing: basil"); every cell carries the
// recipe's path under PathRole.
class FindResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Row
    {
        QString title;
        QString path;
        QString missing; // the chosen ingredient the recipe lacks; empty for a full match
    };

    explicit FindResultsModel(QObject* parent = nullptr);

    void setRows(QList<Row> rows);
    const QList<Row>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<Row> m_rows;
};
