#pragma once

#include <QList>
#include <QMetaObject>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QString>

#include <vector>

// A QSortFilterProxyModel for a long flat list that is filtered by a text as
// the user types it. setFilterText() keeps the rows whose filter text holds
// the given text (as setFilterFixedString() would, honouring the filter case
// sensitivity), and does it quickly:
// - the text of every top-level source row is kept, folded once per source
//   model instead of fetched on every keystroke;
// - typing on narrows and deleting widens the last answer, so only the rows
//   whose answer can change are tested again;
// - the new answer reaches the views as one layout change, not as thousands
//   of row removals and insertions.
// Anything set through the base class (a regular expression, a fixed string)
// still filters as the base class does, in addition to the text.
class TitleFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit TitleFilterProxy(QObject* parent = nullptr);
    ~TitleFilterProxy() override;

    void setSourceModel(QAbstractItemModel* sourceModel) override;

    QString filterText() const;
    void setFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void watchSource(QAbstractItemModel* source);
    void dropKeys();
    void insertKeys(const QModelIndex& parent, int first, int last);
    void removeKeys(const QModelIndex& parent, int first, int last);
    void refreshKeys(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles);
    bool keysUsable() const;
    void buildKeys() const;
    void answerAll() const;
    void answerAfterChange(const QString& oldNeedle, bool sameCase);

    std::vector<QMetaObject::Connection> m_sourceConnections;

    // The filter text of one top-level source row (the filter role of the
    // filter key column), and the same folded for case-insensitive matching.
    // A row whose text is not valid UTF-16 is answered as the base class's
    // regular expression engine would answer it.
    struct Key
    {
        QString text;
        QString folded;
        bool invalidUtf16 = false;
        bool accepted = true; // by the current filter text
    };
    Key keyOf(int row) const;
    static Key keyAt(const QModelIndex& index, int role);
    bool textAccepts(const Key& key) const;

    mutable std::vector<Key> m_keys;
    mutable bool m_keysValid = false;
    mutable bool m_answersValid = false;
    mutable int m_keysRole = -1;
    mutable int m_keysColumn = -1;

    QString m_text;
    // The text as compared: folded when the case does not matter.
    QString m_needle;
    Qt::CaseSensitivity m_needleCase = Qt::CaseInsensitive;
    mutable QRegularExpression m_textPattern; // for rows that are not valid UTF-16
};
