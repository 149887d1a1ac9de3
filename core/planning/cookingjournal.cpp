#include "planning/cookingjournal.h"

#include "cooking/cookingsession.h"
#include "files/cookbookfilewatcher.h"
#include "planning/cookingjournalfile.h"
#include "recipe/recipefile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Each recipe's history, the entries taken by day (the order of the file
// among entries of one day), so that lines two devices appended in any order
// count alike.
QHash<QString, RecipeHistory> historiesOf(const QList<JournalEntry>& entries)
{
    QList<const JournalEntry*> byDay;
    byDay.reserve(entries.size());
    for (const JournalEntry& entry : entries)
        byDay.append(&entry);
    std::stable_sort(byDay.begin(), byDay.end(),
                     [](const JournalEntry* a, const JournalEntry* b) { return a->day < b->day; });
    QHash<QString, RecipeHistory> histories;
    for (const JournalEntry* entry : std::as_const(byDay)) {
        RecipeHistory& history = histories[entry->recipePath];
        ++history.timesCooked;
        history.lastCooked = entry->day;
        if (entry->stars > 0)
            history.latestStars = entry->stars;
        if (!entry->note.isEmpty())
            history.notes.append(entry->note);
    }
    return histories;
}

} // namespace

CookingJournal::CookingJournal(QObject* parent)
    : QObject(parent)
    , m_dateSource([] { return QDate::currentDate(); })
    , m_watcher(std::make_unique<CookbookFileWatcher>())
{
    connect(m_watcher.get(), &CookbookFileWatcher::changed, this, &CookingJournal::onDiskChange);
}

CookingJournal::~CookingJournal() = default;

void CookingJournal::setCollectionPath(const QString& folder)
{
    const bool same = folder == m_folder;
    m_folder = folder;
    if (!same) {
        m_watcher->stop();
        emit collectionPathChanged();
    }
    watch();
    reread();
}

void CookingJournal::setDateSource(DateSource source)
{
    m_dateSource = std::move(source);
}

QDate CookingJournal::today() const
{
    return m_dateSource();
}

RecipeHistory CookingJournal::historyOf(const QString& recipePath) const
{
    // The scan may name a recipe below a folder given with a trailing slash.
    return m_histories.value(QDir::cleanPath(recipePath));
}

int CookingJournal::timesCooked(const QString& recipePath) const
{
    return historyOf(recipePath).timesCooked;
}

QDate CookingJournal::lastCooked(const QString& recipePath) const
{
    return historyOf(recipePath).lastCooked;
}

int CookingJournal::latestStars(const QString& recipePath) const
{
    return historyOf(recipePath).latestStars;
}

QStringList CookingJournal::notes(const QString& recipePath) const
{
    return historyOf(recipePath).notes;
}

QString CookingJournal::summary(const QString& recipePath) const
{
    const RecipeHistory history = historyOf(recipePath);
    if (history.timesCooked == 0)
        return QString();
    QString text = history.timesCooked == 1
                       ? tr("Cooked once, on %1").arg(history.lastCooked.toString(Qt::ISODate))
                       : tr("Cooked %1 times, last on %2")
                             .arg(history.timesCooked)
                             .arg(history.lastCooked.toString(Qt::ISODate));
    if (history.latestStars > 0)
        text += QLatin1Char(' ') + journalStarsText(history.latestStars);
    return text;
}

bool CookingJournal::markCooked(const QString& recipePath, int stars, const QString& note,
                                int servings)
{
    return write(recipePath, CookingRecipe::read(recipePath).title(), stars, note, servings);
}

bool CookingJournal::markSessionCooked(CookingSession* session, int stars, const QString& note)
{
    if (!session)
        return false;
    return write(session->path(), session->title(), stars, note,
                 session->hasServings() ? session->wanted() : 0);
}

bool CookingJournal::write(const QString& recipePath, const QString& title, int stars,
                           const QString& note, int servings)
{
    // The built-in introduction is a file too, but no recipe of the cookbook.
    if (!recipePath.endsWith(RecipeFile::suffix) || recipePath.startsWith(QLatin1Char(':')) ||
        !QFileInfo(recipePath).isFile()) {
        emit message(tr("No recipe to mark as cooked"));
        return false;
    }
    JournalEntry entry;
    entry.day = today();
    entry.recipePath = QDir::cleanPath(recipePath);
    entry.title = title.isEmpty() ? RecipeFile::stemOf(recipePath) : title;
    entry.stars = std::clamp(stars, 0, 5);
    entry.note = note.simplified();
    QString error;
    if (!appendJournalEntry(m_folder, entry, &error)) {
        emit message(tr("Not written in the cooking journal: %1").arg(error));
        return false;
    }
    // What another device appended meanwhile comes along.
    watch();
    reread();
    emit cooked(entry.recipePath, servings);
    return true;
}

void CookingJournal::reread()
{
    takeEntries(readCookingJournal(m_folder));
}

void CookingJournal::takeEntries(QList<JournalEntry> entries)
{
    if (entries == m_entries)
        return;
    m_entries = std::move(entries);
    m_histories = historiesOf(m_entries);
    emit changed();
}

void CookingJournal::watch()
{
    if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir())
        m_watcher->watch(m_folder, cookingJournalFileName());
}

void CookingJournal::onDiskChange()
{
    watch();
    reread();
}
