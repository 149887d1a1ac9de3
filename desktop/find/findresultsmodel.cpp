#include "find/findresultsmodel.h"

#include "collection/scanner.h"

#include <QFont>

#include <utility>

FindResultsModel::FindResultsModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

void FindResultsModel::setRows(QList<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int FindResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return row.title;
        return row.missing.isEmpty() ? QString() : QStringLiteral("missing: %1").arg(row.missing);
    case Qt::ToolTipRole:
        return row.path;
    case Qt::FontRole:
        if (index.column() == 1) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case PathRole:
        return row.path;
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
