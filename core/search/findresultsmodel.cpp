#include "search/findresultsmodel.h"

#include "collection/scanner.h"

#include <QFont>

#include <algorithm>
#include <utility>

FindResultsModel::FindResultsModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

void FindResultsModel::setRows(QList<Row> rows)
{
    const auto before = int(m_rows.size());
    const auto after = int(rows.size());
    if (after < before) {
        beginRemoveRows(QModelIndex(), after, before - 1);
        m_rows.resize(after);
        endRemoveRows();
    }
    replaceKeptRows(rows);
    if (after > before) {
        beginInsertRows(QModelIndex(), before, after - 1);
        m_rows = std::move(rows);
        endInsertRows();
    }
}

// The rows both lists have, told as changed only where they differ.
void FindResultsModel::replaceKeptRows(const QList<Row>& rows)
{
    const auto kept = int(std::min(m_rows.size(), rows.size()));
    int first = -1;
    int last = -1;
    for (int row = 0; row < kept; ++row) {
        if (m_rows.at(row) == rows.at(row))
            continue;
        m_rows[row] = rows.at(row);
        first = first < 0 ? row : first;
        last = row;
    }
    if (first >= 0)
        emit dataChanged(index(first, 0), index(last, 1));
}

int FindResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QString FindResultsModel::missingText(const Row& row)
{
    return row.missing.isEmpty() ? QString() : tr("missing: %1").arg(row.missing);
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? row.title : missingText(row);
    case Qt::ToolTipRole:
    case PathRole:
        return row.path;
    case MissingRole:
        return missingText(row);
    case Qt::FontRole:
        if (index.column() == 1) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags FindResultsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QHash<int, QByteArray> FindResultsModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"}, {PathRole, "path"}, {MissingRole, "missing"}};
}
