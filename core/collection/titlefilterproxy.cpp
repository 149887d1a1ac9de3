#include "collection/titlefilterproxy.h"

#include <algorithm>
#include <limits>

namespace {

// Keys built per turn of an idle event loop: well under a frame.
constexpr int keysPerSlice = 4096;
// Answers kept for going back while deleting.
constexpr std::size_t recentAnswersKept = 32;

} // namespace

TitleFilterProxy::TitleFilterProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    // The text is compared by the case sensitivity in force.
    connect(this, &QSortFilterProxyModel::filterCaseSensitivityChanged, this,
            [this] { setFilterText(m_text); });
    m_keyBuilder.setInterval(0);
    connect(&m_keyBuilder, &QTimer::timeout, this, &TitleFilterProxy::buildSomeKeys);
}

TitleFilterProxy::~TitleFilterProxy() = default;

void TitleFilterProxy::setSourceModel(QAbstractItemModel* sourceModel)
{
    watchSource(sourceModel);
    QSortFilterProxyModel::setSourceModel(sourceModel);
    if (sourceModel)
        m_keyBuilder.start();
}

// Connected before the base class connects its own handlers, so that every
// change of the source drops the keys before the base class filters the
// changed rows again. The keys are then built anew when asked for.
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
    const auto dropForTopLevel = [this](const QModelIndex& parent) {
        if (!parent.isValid())
            dropKeys();
    };
    m_sourceConnections = {
        connect(source, &Model::modelAboutToBeReset, this, drop),
        connect(source, &Model::modelReset, this, drop),
        connect(source, &Model::rowsInserted, this, dropForTopLevel),
        connect(source, &Model::rowsRemoved, this, dropForTopLevel),
        connect(source, &Model::rowsMoved, this, drop),
        connect(source, &Model::columnsInserted, this, drop),
        connect(source, &Model::columnsRemoved, this, drop),
        connect(source, &Model::columnsMoved, this, drop),
        connect(source, &Model::layoutAboutToBeChanged, this, drop),
        connect(source, &Model::layoutChanged, this, drop),
        connect(
            source, &Model::dataChanged, this,
            [dropForTopLevel](const QModelIndex& topLeft) { dropForTopLevel(topLeft.parent()); }),
        connect(source, &QObject::destroyed, this, drop),
    };
}

void TitleFilterProxy::dropKeys()
{
    m_keys = {};
    m_keysWanted = -1;
    m_answersValid = false;
    m_answers = {};
    m_recentAnswers.clear();
}

void TitleFilterProxy::buildSomeKeys()
{
    if (!appendKeys(keysPerSlice) || keysComplete())
        m_keyBuilder.stop();
}

// Keeps up to `count` more keys; false when the source gives nothing to keep.
bool TitleFilterProxy::appendKeys(int count) const
{
    const QAbstractItemModel* source = sourceModel();
    const int column = filterKeyColumn();
    if (!source || column < 0 || column >= source->columnCount())
        return false;
    if (m_keysWanted < 0 || m_keysRole != filterRole() || m_keysColumn != column) {
        m_keys = {};
        m_answersValid = false;
        m_answers = {};
        m_recentAnswers.clear();
        m_keysRole = filterRole();
        m_keysColumn = column;
        m_keysWanted = source->rowCount();
        m_keys.reserve(std::size_t(m_keysWanted));
    }
    const int end = int(std::min<qint64>(m_keysWanted, qint64(m_keys.size()) + count));
    for (int row = int(m_keys.size()); row < end; ++row)
        m_keys.push_back(keyOf(row));
    return true;
}

bool TitleFilterProxy::keysComplete() const
{
    return m_keysWanted >= 0 && int(m_keys.size()) == m_keysWanted && m_keysRole == filterRole() &&
           m_keysColumn == filterKeyColumn();
}

// Finishes the keys now if the idle builder has not, and answers the current
// text; false when the source gives nothing to keep keys of.
bool TitleFilterProxy::keysUsable() const
{
    // The idle builder stops by itself once it finds the keys complete.
    if (!keysComplete() && !appendKeys(std::numeric_limits<int>::max()))
        return false;
    if (!m_answersValid)
        answer(QString(), false);
    return true;
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
    const bool sameCase = cs == m_needleCase && m_answersValid;
    if (sameCase)
        rememberAnswers();
    else
        m_recentAnswers.clear();
    m_text = text;
    m_needleCase = cs;
    m_needle = cs == Qt::CaseInsensitive ? text.toCaseFolded() : text;
    m_textPattern =
        QRegularExpression(QRegularExpression::escape(text),
                           cs == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                                     : QRegularExpression::NoPatternOption);
    if (keysComplete())
        answer(oldNeedle, sameCase);
    else
        m_answersValid = false; // answered once the keys are there
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

// Answers the current text for every key. A text that holds the old one can
// only keep rows the old one kept; one that the old text holds keeps every
// row the old one kept; a text answered before is answered the same again.
void TitleFilterProxy::answer(const QString& oldNeedle, bool sameCase) const
{
    if (const Answers* recent = recentAnswersFor(m_needle)) {
        m_answers = *recent;
        m_answersValid = true;
        return;
    }
    const bool fromOld = sameCase && m_answersValid && m_answers.size() == m_keys.size();
    const bool narrower = fromOld && m_needle.contains(oldNeedle);
    const bool wider = fromOld && oldNeedle.contains(m_needle);
    if (!fromOld)
        m_answers.assign(m_keys.size(), 1);
    for (std::size_t row = 0; row < m_keys.size(); ++row) {
        if (fromOld && ((narrower && !m_answers[row]) || (wider && m_answers[row])))
            continue;
        m_answers[row] = textAccepts(m_keys[row]);
    }
    m_answersValid = true;
}

const TitleFilterProxy::Answers* TitleFilterProxy::recentAnswersFor(const QString& needle) const
{
    for (auto it = m_recentAnswers.rbegin(); it != m_recentAnswers.rend(); ++it)
        if (it->first == needle && it->second.size() == m_keys.size())
            return &it->second;
    return nullptr;
}

void TitleFilterProxy::rememberAnswers() const
{
    if (!m_answersValid || m_answers.size() != m_keys.size())
        return;
    m_recentAnswers.erase(
        std::remove_if(m_recentAnswers.begin(), m_recentAnswers.end(),
                       [this](const auto& kept) { return kept.first == m_needle; }),
        m_recentAnswers.end());
    if (m_recentAnswers.size() == recentAnswersKept)
        m_recentAnswers.erase(m_recentAnswers.begin());
    m_recentAnswers.emplace_back(m_needle, m_answers);
}

bool TitleFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_text.isEmpty())
        return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
    if (!sourceParent.isValid() && keysUsable() && sourceRow >= 0 &&
        std::size_t(sourceRow) < m_answers.size()) {
        // Most rows fail the text; the base class is asked only about the rest.
        return m_answers[std::size_t(sourceRow)] &&
               QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
    }
    if (!QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent))
        return false;
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
