#pragma once

#include "planning/journalentry.h"
#include "planning/recipehistory.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CookingSession;
class CookbookFileWatcher;

// The cooking journal of a cookbook as both programs show it and add to it:
// what it says of each recipe (times cooked, last cooked, the latest stars,
// the notes), read again whenever "cooking-journal.md" changes on disk, also
// when another program saves it by renaming a new file over it. Entries are
// only ever appended; editing or removing one is done in the file.
class CookingJournal : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString collectionPath READ collectionPath WRITE setCollectionPath NOTIFY
                   collectionPathChanged)
    Q_PROPERTY(int entryCount READ entryCount NOTIFY changed)
public:
    using DateSource = std::function<QDate()>;

    explicit CookingJournal(QObject* parent = nullptr);
    ~CookingJournal() override;

    QString collectionPath() const { return m_folder; }
    // The journal of that cookbook from now on; the same folder reads it again.
    void setCollectionPath(const QString& folder);
    // The day entries are written for and filters count from; today unless
    // tests give their own.
    void setDateSource(DateSource source);
    QDate today() const;

    const QList<JournalEntry>& entries() const { return m_entries; }
    int entryCount() const { return int(m_entries.size()); }
    RecipeHistory historyOf(const QString& recipePath) const;

    Q_INVOKABLE int timesCooked(const QString& recipePath) const;
    Q_INVOKABLE QDate lastCooked(const QString& recipePath) const;
    Q_INVOKABLE int latestStars(const QString& recipePath) const;
    Q_INVOKABLE QStringList notes(const QString& recipePath) const;
    // "Cooked 3 times, last on 2026-12-10 ★★★★☆"; empty when never.
    Q_INVOKABLE QString summary(const QString& recipePath) const;

    // Writes today's entry for the recipe at `recipePath`, titled as the
    // recipe is; `servings` as cooked (0 when unknown) goes with cooked().
    Q_INVOKABLE bool markCooked(const QString& recipePath, int stars = 0,
                                const QString& note = QString(), int servings = 0);
    // The same for the recipe a cooking session shows, at its servings.
    Q_INVOKABLE bool markSessionCooked(CookingSession* session, int stars = 0,
                                       const QString& note = QString());

    // Reads the journal again now.
    Q_INVOKABLE void reread();

signals:
    void collectionPathChanged();
    // The entries changed: read again or added to.
    void changed();
    // A recipe was marked cooked, at `servings` (0 when unknown).
    void cooked(const QString& recipePath, int servings);
    // Why an entry could not be written.
    void message(const QString& text);

private:
    bool write(const QString& recipePath, const QString& title, int stars, const QString& note,
               int servings);
    void takeEntries(QList<JournalEntry> entries);
    void watch();
    void onDiskChange();

    QString m_folder;
    DateSource m_dateSource;
    QList<JournalEntry> m_entries;
    QHash<QString, RecipeHistory> m_histories;
    std::unique_ptr<CookbookFileWatcher> m_watcher;
};
