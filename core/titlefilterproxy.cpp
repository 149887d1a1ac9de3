#include "titlefilterproxy.h"

#include <iterator>

TitleFilterProxy::TitleFilterProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    // The text is compared by the case sensitivity in force.
    connect(this, &QSortFilterProxyModel::filterCaseSensitivityChanged, this,
            [this] { setFilterText(m_text); });
}

TitleFilterProxy::~TitleFilterProxy() = default;

void TitleFilterProxy::setSourceModel(QAbstractItemModel* sourceModel)
{
    watchSource(sourceModel);
    QSortFilterProxyModel::setSourceModel(sourceModel);
}

// Connected before the base class connects its own handlers, so that every
// change of the source drops the copy before the base class filters the
// changed rows again.
void TitleFilterProxy::watchSource(QAbstractItemModel* source)
{
    for (const QMetaObject::Connection& connection : m_sourceConnections)
        disconnect(connection);
    m_sourceConnections.clear();
    dropKeys();
    if (!source)
        return;
    using Model = QAbstractItemModel;
    const auto drop = [this] { dropKeys(); };
    m_sourceConnections = {
        connect(source, &Model::modelAboutToBeReset, this, drop),
        connect(source, &Model::modelReset, this, drop),
        connect(source, &Model::rowsInserted, this, &TitleFilterProxy::insertKeys),
        connect(source, &Model::rowsRemoved, this, &TitleFilterProxy::removeKeys),
        connect(source, &Model::rowsMoved, this, drop),
        connect(source, &Model::columnsInserted, this, drop),
        connect(source, &Model::columnsRemoved, this, drop),
        connect(source, &Model::columnsMoved, this, drop),
        connect(source, &Model::layoutAboutToBeChanged, this, drop),
        connect(source, &Model::layoutChanged, this, drop),
        connect(source, &Model::dataChanged, this, &TitleFilterProxy::refreshKeys),
        connect(source, &QObject::destroyed, this, drop),
    };
}

void TitleFilterProxy::dropKeys()
{
    m_keysValid = false;
    m_answersValid = false;
    m_keys = {};
}

// Rows added or removed one at a time must not cost a copy of the whole list
// each, so the copy follows them instead of being dropped.
void TitleFilterProxy::insertKeys(const QModelIndex& parent, int first, int last)
{
    if (!m_keysValid || parent.isValid())
        return;
    if (first > int(m_keys.size())) {
        dropKeys();
        return;
    }
    std::vector<Key> added;
    added.reserve(std::size_t(last - first + 1));
    for (int row = first; row <= last; ++row) {
        added.push_back(keyOf(row));
        added.back().accepted = textAccepts(added.back());
    }
    m_keys.insert(m_keys.begin() + first, std::make_move_iterator(added.begin()),
                  std::make_move_iterator(added.end()));
}

void TitleFilterProxy::removeKeys(const QModelIndex& parent, int first, int last)
{
    if (!m_keysValid || parent.isValid())
        return;
    if (last >= int(m_keys.size())) {
        dropKeys();
        return;
    }
    m_keys.erase(m_keys.begin() + first, m_keys.begin() + last + 1);
}

void TitleFilterProxy::refreshKeys(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                   const QList<int>& roles)
{
    if (!m_keysValid || topLeft.parent().isValid())
        return;
    if (topLeft.column() > m_keysColumn || bottomRight.column() < m_keysColumn)
        return;
    if (!roles.isEmpty() && !roles.contains(m_keysRole))
        return;
    if (bottomRight.row() >= int(m_keys.size())) {
        dropKeys();
        return;
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        Key key = keyOf(row);
        key.accepted = textAccepts(key);
        m_keys[std::size_t(row)] = std::move(key);
    }
}

bool TitleFilterProxy::keysUsable() const
{
    const QAbstractItemModel* source = sourceModel();
    if (!source)
        return false;
    const int column = filterKeyColumn();
    if (column < 0 || column >= source->columnCount())
        return false;
    if (m_keysValid && (m_keysRole != filterRole() || m_keysColumn != column))
        m_keysValid = false;
    if (!m_keysValid)
        buildKeys();
    if (!m_answersValid)
        answerAll();
    return true;
}

void TitleFilterProxy::buildKeys() const
{
    m_keysRole = filterRole();
    m_keysColumn = filterKeyColumn();
    const int rows = sourceModel()->rowCount();
    m_keys.clear();
    m_keys.reserve(std::size_t(rows));
    for (int row = 0; row < rows; ++row)
        m_keys.push_back(keyOf(row));
    m_keysValid = true;
    m_answersValid = false;
}

TitleFilterProxy::Key TitleFilterProxy::keyOf(int row) const
{
    return keyAt(sourceModel()->index(row, m_keysColumn), m_keysRole);
}

TitleFilterProxy::Key TitleFilterProxy::keyAt(const QModelIndex& index, int role)
{
    Key key;
    key.text = index.data(role).toString();
    key.invalidUtf16 = !QStringView(key.text).isValidUtf16();
    // Simple case folding maps every character to one representative of all
    // the characters equal to it without regard to case, which is how the
    // regular expression engine compares caselessly.
    key.folded = key.text.toCaseFolded();
    return key;
}

QString TitleFilterProxy::filterText() const
{
    return m_text;
}

void TitleFilterProxy::setFilterText(const QString& text)
{
    const Qt::CaseSensitivity cs = filterCaseSensitivity();
    if (text == m_text && cs == m_needleCase)
        return;
    const QString oldNeedle = m_needle;
    const bool sameCase = cs == m_needleCase;
    m_text = text;
    m_needleCase = cs;
    m_needle = cs == Qt::CaseInsensitive ? text.toCaseFolded() : text;
    m_textPattern =
        QRegularExpression(QRegularExpression::escape(text),
                           cs == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                                     : QRegularExpression::NoPatternOption);
    if (m_keysValid && m_answersValid)
        answerAfterChange(oldNeedle, sameCase);
    // One layout change: the base class maps every row again, asking
    // filterAcceptsRow(), which now only reads the answers.
    invalidate();
}

bool TitleFilterProxy::textAccepts(const Key& key) const
{
    if (m_text.isEmpty())
        return true;
    // The base class shows nothing for a text that makes no valid expression.
    if (!QStringView(m_text).isValidUtf16())
        return false;
    if (key.invalidUtf16)
        return m_textPattern.match(key.text).hasMatch();
    return (m_needleCase == Qt::CaseInsensitive ? key.folded : key.text).contains(m_needle);
}

void TitleFilterProxy::answerAll() const
{
    for (Key& key : m_keys)
        key.accepted = textAccepts(key);
    m_answersValid = true;
}

// A text that holds the old one can only keep rows the old one kept; one that
// the old text holds keeps every row the old one kept.
void TitleFilterProxy::answerAfterChange(const QString& oldNeedle, bool sameCase)
{
    const bool narrower = sameCase && m_needle.contains(oldNeedle);
    const bool wider = sameCase && oldNeedle.contains(m_needle);
    for (Key& key : m_keys) {
        if ((narrower && !key.accepted) || (wider && key.accepted))
            continue;
        key.accepted = textAccepts(key);
    }
}

bool TitleFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (!QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent))
        return false;
    if (m_text.isEmpty())
        return true;
    // Kept answers are for the top-level rows; any other row is asked itself.
    if (!sourceParent.isValid() && keysUsable() && sourceRow >= 0 && sourceRow < int(m_keys.size()))
        return m_keys[std::size_t(sourceRow)].accepted;
    if (filterKeyColumn() < 0) { // every column: any may hold the text
        for (int column = 0; column < sourceModel()->columnCount(sourceParent); ++column)
            if (textAccepts(
                    keyAt(sourceModel()->index(sourceRow, column, sourceParent), filterRole())))
                return true;
        return false;
    }
    const QModelIndex key = sourceModel()->index(sourceRow, filterKeyColumn(), sourceParent);
    // As the base class does: a row without the key column passes.
    return !key.isValid() || textAccepts(keyAt(key, filterRole()));
}
