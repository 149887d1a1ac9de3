#include "titlefilterproxy.h"

#include <iterator>
#include <optional>

namespace {

// The text a fixed-string filter was set from: QRegularExpression::escape()
// puts a backslash before every character that is not a letter, digit or
// underscore of ASCII (and writes NUL as "\0"). Any pattern that is not such
// an escaped text yields nothing.
std::optional<QString> literalOf(const QString& pattern)
{
    QString literal;
    literal.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        QChar c = pattern[i];
        if (c == QLatin1Char('\\')) {
            if (++i == pattern.size())
                return std::nullopt;
            c = pattern[i];
            if (c == QLatin1Char('0'))
                c = QChar(QChar::Null);
        }
        literal.append(c);
    }
    if (QRegularExpression::escape(literal) != pattern)
        return std::nullopt;
    return literal;
}

} // namespace

TitleFilterProxy::TitleFilterProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{}

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
    for (int row = first; row <= last; ++row)
        added.push_back(keyOf(row));
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
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
        m_keys[std::size_t(row)] = keyOf(row);
}

bool TitleFilterProxy::keysUsable(const QModelIndex& sourceParent) const
{
    const QAbstractItemModel* source = sourceModel();
    if (!source || sourceParent.isValid())
        return false;
    const int column = filterKeyColumn();
    if (column < 0 || column >= source->columnCount())
        return false;
    if (m_keysValid && (m_keysRole != filterRole() || m_keysColumn != column))
        m_keysValid = false;
    if (!m_keysValid)
        buildKeys();
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
}

TitleFilterProxy::Key TitleFilterProxy::keyOf(int row) const
{
    Key key;
    key.text = sourceModel()->index(row, m_keysColumn).data(m_keysRole).toString();
    key.baseDecides = !QStringView(key.text).isValidUtf16();
    // Simple case folding maps every character to one representative of all
    // the characters equal to it without regard to case, which is how the
    // regular expression engine compares caselessly.
    key.folded = key.text.toCaseFolded();
    return key;
}

TitleFilterProxy::Match TitleFilterProxy::currentMatch() const
{
    const QRegularExpression expression = filterRegularExpression();
    if (expression == m_expression)
        return m_match;
    m_expression = expression;
    m_needle.clear();
    if (expression.pattern().isEmpty()) {
        m_match = Match::Everything;
        return m_match;
    }
    if (!expression.isValid()) {
        // The base class would warn once for every row and then show none.
        m_match = Match::Nothing;
        return m_match;
    }
    const std::optional<QString> literal = literalOf(expression.pattern());
    const auto options = expression.patternOptions();
    m_match = Match::Pattern;
    if (!literal || !QStringView(*literal).isValidUtf16())
        return m_match;
    if (options == QRegularExpression::NoPatternOption) {
        m_needle = *literal;
        m_match = Match::Literal;
    } else if (options == QRegularExpression::CaseInsensitiveOption) {
        m_needle = literal->toCaseFolded();
        m_match = Match::LiteralIgnoringCase;
    }
    return m_match;
}

bool TitleFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const Match match = currentMatch();
    if (match == Match::Everything)
        return true;
    if (match == Match::Nothing)
        return false;
    if (match == Match::Pattern || !keysUsable(sourceParent) || sourceRow < 0 ||
        sourceRow >= int(m_keys.size()) || m_keys[std::size_t(sourceRow)].baseDecides)
        return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
    const Key& key = m_keys[std::size_t(sourceRow)];
    return match == Match::Literal ? key.text.contains(m_needle) : key.folded.contains(m_needle);
}
