#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

// The recipes a search found: those that meet every condition, then those
// that lack one of the chosen ingredients (or one or two from the pantry).
// Column 0 shows the title, column 1 what a row lacks ("missing: basil"); every cell carries the
// recipe's path under PathRole and what it lacks under MissingRole. Lists read the roles by the
// names "display", "path" and "missing".
class FindResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Follows the scan's PathRole.
    enum Role { MissingRole = Qt::UserRole + 2 };

    struct Row
    {
        QString title;
        QString path;
        QString missing; // a chosen ingredient it lacks, or what the pantry lacks; empty for a full
                         // match
        bool operator==(const Row& other) const
        {
            return title == other.title && path == other.path && missing == other.missing;
        }
    };

    explicit FindResultsModel(QObject* parent = nullptr);

    // Rows that stay are changed in place, so that a list keeps its place.
    void setRows(QList<Row> rows);
    const QList<Row>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    void replaceKeptRows(const QList<Row>& rows);
    static QString missingText(const Row& row);

    QList<Row> m_rows;
};
