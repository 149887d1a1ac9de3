#pragma once

#include <QList>
#include <QMetaObject>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

// A QSortFilterProxyModel that filters a long flat list quickly. It keeps the
// text each top-level source row is filtered by, fetched once per source
// model instead of once per row on every keystroke, and tests a fixed-string
// filter against it by plain substring search. Which rows pass is exactly
// what the base class decides: any other filter, and any row the copy cannot
// answer for, goes to the base class. The copy is dropped whenever the source
// changes, so it is never stale.
class TitleFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit TitleFilterProxy(QObject* parent = nullptr);
    ~TitleFilterProxy() override;

    void setSourceModel(QAbstractItemModel* sourceModel) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    // How the current filter expression is answered.
    enum class Match { Everything, Nothing, Literal, LiteralIgnoringCase, Pattern };

    void watchSource(QAbstractItemModel* source);
    void dropKeys();
    void insertKeys(const QModelIndex& parent, int first, int last);
    void removeKeys(const QModelIndex& parent, int first, int last);
    void refreshKeys(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles);
    bool keysUsable(const QModelIndex& sourceParent) const;
    void buildKeys() const;
    Match currentMatch() const;

    std::vector<QMetaObject::Connection> m_sourceConnections;

    // The filter text of one top-level source row (the filter role of the
    // filter key column), and the same folded for case-insensitive matching.
    // A row whose text is not valid UTF-16 is left to the base class, which
    // treats it as the regular expression engine does.
    struct Key
    {
        QString text;
        QString folded;
        bool baseDecides = false;
    };
    Key keyOf(int row) const;

    mutable std::vector<Key> m_keys;
    mutable bool m_keysValid = false;
    mutable int m_keysRole = -1;
    mutable int m_keysColumn = -1;

    // The filter expression last analysed, and the literal text it stands for.
    mutable QRegularExpression m_expression;
    mutable Match m_match = Match::Everything;
    mutable QString m_needle;
};
