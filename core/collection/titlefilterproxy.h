#pragma once

#include <QList>
#include <QMetaObject>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QString>
#include <QTimer>

#include <utility>
#include <vector>

// A QSortFilterProxyModel for a long flat list that is filtered by a text as
// the user types it. setFilterText() keeps the rows whose filter text holds
// the given text (as setFilterFixedString() would, honouring the filter case
// sensitivity), and does it quickly:
// - the text of every top-level source row is kept, folded once per source
//   model, a slice at a time while the event loop is idle;
// - typing on narrows the last answer, and deleting goes back to an answer
//   given before, so only rows whose answer can change are tested again;
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
    // The filter text of one top-level source row (the filter role of the
    // filter key column), and the same folded for case-insensitive matching.
    // A row whose text is not valid UTF-16 is answered as the base class's
    // regular expression engine would answer it.
    struct Key
    {
        QString text;
        QString folded;
        bool invalidUtf16 = false;
    };
    using Answers = std::vector<char>; // per top-level source row: shown or not

    void watchSource(QAbstractItemModel* source);
    void dropKeys();
    void buildSomeKeys();
    bool appendKeys(int count) const;
    bool keysComplete() const;
    bool keysUsable() const;
    Key keyOf(int row) const;
    static Key keyAt(const QModelIndex& index, int role);
    bool textAccepts(const Key& key) const;
    void answer(const QString& oldNeedle, bool sameCase) const;
    const Answers* recentAnswersFor(const QString& needle) const;
    void rememberAnswers() const;

    std::vector<QMetaObject::Connection> m_sourceConnections;
    QTimer m_keyBuilder; // builds the keys while the event loop is idle

    mutable std::vector<Key> m_keys;
    mutable int m_keysRole = -1;
    mutable int m_keysColumn = -1;
    mutable int m_keysWanted = -1; // source rows when the build began; -1: none begun

    QString m_text;
    // The text as compared: folded when the case does not matter.
    QString m_needle;
    Qt::CaseSensitivity m_needleCase = Qt::CaseInsensitive;
    QRegularExpression m_textPattern; // for rows that are not valid UTF-16

    mutable Answers m_answers; // for m_needle, once complete
    mutable bool m_answersValid = false;
    // Answers given for texts typed before, newest last.
    mutable std::vector<std::pair<QString, Answers>> m_recentAnswers;
};
