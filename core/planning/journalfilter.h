#pragma once

#include "planning/cookingjournal.h"
#include "search/findresultsmodel.h"

#include <QList>
#include <QObject>
#include <QPointer>

// What the cooking journal adds to finding recipes: only the favourites (the
// latest stars 4 or more), only the recipes not cooked for a month (never
// cooked included), and the results ordered by when they were last cooked,
// the latest first and the never cooked last. The month counts back from the
// journal's today.
class JournalFilter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(CookingJournal* journal READ journal WRITE setJournal NOTIFY journalChanged)
    Q_PROPERTY(bool favourites READ favourites WRITE setFavourites NOTIFY changed)
    Q_PROPERTY(bool notCookedLately READ notCookedLately WRITE setNotCookedLately NOTIFY changed)
    Q_PROPERTY(bool byLastCooked READ byLastCooked WRITE setByLastCooked NOTIFY changed)
public:
    static constexpr int favouriteStars = 4;

    explicit JournalFilter(QObject* parent = nullptr);

    CookingJournal* journal() const { return m_journal; }
    void setJournal(CookingJournal* journal);
    bool favourites() const { return m_favourites; }
    void setFavourites(bool on);
    bool notCookedLately() const { return m_notCookedLately; }
    void setNotCookedLately(bool on);
    bool byLastCooked() const { return m_byLastCooked; }
    void setByLastCooked(bool on);

    // Whether it leaves out any recipe.
    bool filters() const { return m_favourites || m_notCookedLately; }
    bool keeps(const QString& recipePath) const;
    // The rows it keeps, in the order it gives.
    QList<FindResultsModel::Row> apply(QList<FindResultsModel::Row> rows) const;

signals:
    void journalChanged();
    // The results it gives may differ: a switch or the journal changed.
    void changed();

private:
    void set(bool& flag, bool on);

    QPointer<CookingJournal> m_journal;
    bool m_favourites = false;
    bool m_notCookedLately = false;
    bool m_byLastCooked = false;
};
