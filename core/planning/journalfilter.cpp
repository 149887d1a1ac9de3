#include "planning/journalfilter.h"

#include "planning/cookingjournal.h"

#include <algorithm>

JournalFilter::JournalFilter(QObject* parent)
    : QObject(parent)
{}

void JournalFilter::setJournal(CookingJournal* journal)
{
    if (journal == m_journal)
        return;
    if (m_journal)
        disconnect(m_journal, nullptr, this, nullptr);
    m_journal = journal;
    if (m_journal)
        connect(m_journal, &CookingJournal::changed, this, &JournalFilter::changed);
    emit journalChanged();
    emit changed();
}

void JournalFilter::set(bool& flag, bool on)
{
    if (flag == on)
        return;
    flag = on;
    emit changed();
}

void JournalFilter::setFavourites(bool on)
{
    set(m_favourites, on);
}

void JournalFilter::setNotCookedLately(bool on)
{
    set(m_notCookedLately, on);
}

void JournalFilter::setByLastCooked(bool on)
{
    set(m_byLastCooked, on);
}

bool JournalFilter::keeps(const QString& recipePath) const
{
    if (!filters())
        return true;
    const RecipeHistory history = m_journal ? m_journal->historyOf(recipePath) : RecipeHistory();
    if (m_favourites && history.latestStars < favouriteStars)
        return false;
    if (m_notCookedLately && history.lastCooked.isValid() && m_journal &&
        history.lastCooked > m_journal->today().addMonths(-1))
        return false;
    return true;
}

QList<FindResultsModel::Row> JournalFilter::apply(QList<FindResultsModel::Row> rows) const
{
    if (filters())
        rows.removeIf([this](const FindResultsModel::Row& row) { return !keeps(row.path); });
    if (m_byLastCooked && m_journal) {
        // Full matches stay before the near ones.
        std::stable_sort(rows.begin(), rows.end(),
                         [this](const FindResultsModel::Row& a, const FindResultsModel::Row& b) {
                             if (a.missing.isEmpty() != b.missing.isEmpty())
                                 return a.missing.isEmpty();
                             const QDate dayA = m_journal->lastCooked(a.path);
                             const QDate dayB = m_journal->lastCooked(b.path);
                             if (dayA.isValid() != dayB.isValid())
                                 return dayA.isValid();
                             return dayA > dayB;
                         });
    }
    return rows;
}
