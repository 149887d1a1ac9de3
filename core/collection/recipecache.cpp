#include "collection/recipecache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// Tells our files from any other SQLite file ("SRov").
constexpr int applicationId = 0x53526f76;
// Another program keeping the same cookbook writes at most this long.
constexpr int busyTimeoutMs = 3000;
// List elements come from single lines, so a line break never occurs in one.
constexpr QChar separator = QLatin1Char('\n');

const char* const schema = "CREATE TABLE IF NOT EXISTS recipe("
                           " path TEXT PRIMARY KEY NOT NULL,"
                           " size INTEGER NOT NULL,"
                           " modified INTEGER NOT NULL,"
                           " inode INTEGER NOT NULL,"
                           " title TEXT NOT NULL,"
                           " tags TEXT,"
                           " ingredients TEXT,"
                           " listed TEXT,"
                           " source TEXT"
                           ") WITHOUT ROWID;"
                           // One row: how often the recipes changed.
                           "CREATE TABLE IF NOT EXISTS state("
                           " id INTEGER PRIMARY KEY CHECK (id = 1),"
                           " generation INTEGER NOT NULL);"
                           "INSERT OR IGNORE INTO state VALUES (1, 0);"
                           // At most one row: the Find index of the recipes
                           // as they were at `generation`.
                           "CREATE TABLE IF NOT EXISTS textindex("
                           " id INTEGER PRIMARY KEY CHECK (id = 1),"
                           " generation INTEGER NOT NULL,"
                           " paths BLOB NOT NULL,"
                           " data BLOB NOT NULL);"
                           // At most one row: what the models of the recipes
                           // as they were at `generation` are built from.
                           "CREATE TABLE IF NOT EXISTS snapshot("
                           " id INTEGER PRIMARY KEY CHECK (id = 1),"
                           " generation INTEGER NOT NULL,"
                           " data BLOB NOT NULL)";

struct StatementDeleter
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

Statement prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return {};
    }
    return Statement(statement);
}

int intPragma(sqlite3* db, const char* sql)
{
    const Statement statement = prepare(db, sql);
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW)
        return -1;
    return sqlite3_column_int(statement.get(), 0);
}

// An empty list is NULL, so that a list of one empty text stays one.
void bindList(sqlite3_stmt* statement, int column, const QStringList& list)
{
    if (list.isEmpty()) {
        sqlite3_bind_null(statement, column);
        return;
    }
    const QByteArray text = list.join(separator).toUtf8();
    sqlite3_bind_text(statement, column, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

void bindText(sqlite3_stmt* statement, int column, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    sqlite3_bind_text(statement, column, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

QString columnText(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

// Reads the list columns of many rows. Tags and ingredient names repeat from
// recipe to recipe, so each distinct element is decoded once and numbered:
// a start from the kept index then costs a look-up per element instead of a
// decoded and allocated string.
class ListReader
{
public:
    void read(sqlite3_stmt* statement, int column, std::vector<int>& numbers)
    {
        numbers.clear();
        if (sqlite3_column_type(statement, column) == SQLITE_NULL)
            return;
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const std::string_view all(text, std::size_t(sqlite3_column_bytes(statement, column)));
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = std::min(all.find('\n', start), all.size());
            numbers.push_back(numberOf(all.substr(start, end - start)));
            if (end == all.size())
                return;
            start = end + 1;
        }
    }

    const RecipeCache::Elements& elements() const { return m_elements; }

private:
    int numberOf(std::string_view bytes)
    {
        const auto found = m_known.find(bytes);
        if (found != m_known.end())
            return found->second;
        // The key views a copy of its own: the row's text goes with the next step.
        const std::string& key = m_keys.emplace_back(bytes);
        m_elements.push_back(QString::fromUtf8(key.data(), qsizetype(key.size())));
        return m_known.emplace(std::string_view(key), int(m_elements.size() - 1)).first->second;
    }

    std::unordered_map<std::string_view, int> m_known;
    std::deque<std::string> m_keys; // never moves its strings as it grows
    RecipeCache::Elements m_elements;
};

QStringList textsOf(const std::vector<int>& numbers, const RecipeCache::Elements& elements)
{
    QStringList list;
    list.reserve(qsizetype(numbers.size()));
    for (const int number : numbers)
        list.append(elements[std::size_t(number)]);
    return list;
}

void removeWithCompanions(const QString& fileName)
{
    QFile::remove(fileName + QStringLiteral("-wal"));
    QFile::remove(fileName + QStringLiteral("-shm"));
    QFile::remove(fileName);
}

// Opening counts as use: the file's time says when the cookbook was last
// opened, whether or not anything had to be written.
void markUsed(const QString& fileName)
{
    ::utimensat(AT_FDCWD, QFile::encodeName(fileName).constData(), nullptr, 0);
}

} // namespace

RecipeCache::RecipeCache(const QString& folder, const QString& rootPath)
    : m_fileName(fileFor(folder, rootPath))
{
    if (!QDir().mkpath(folder))
        return;
    // What an earlier version kept of this cookbook is of no use to this one.
    for (int version = 1; version < schemaVersion; ++version)
        removeWithCompanions(fileFor(folder, rootPath, version));
    if (!openOurs()) {
        setAside();
        if (!open() || !createSchema())
            close();
    }
    if (isOpen())
        markUsed(m_fileName);
}

RecipeCache::~RecipeCache()
{
    close();
}

QString RecipeCache::fileFor(const QString& folder, const QString& rootPath)
{
    return fileFor(folder, rootPath, schemaVersion);
}

QString RecipeCache::fileFor(const QString& folder, const QString& rootPath, int version)
{
    const QByteArray key = QFile::encodeName(QDir::cleanPath(QDir(rootPath).absolutePath()));
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return folder + QLatin1Char('/') + QString::fromLatin1(hash.left(24)) +
           QStringLiteral("-v%1.sqlite").arg(version);
}

void RecipeCache::forgetUnused(const QString& folder)
{
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addDays(-unusedDays);
    QDirIterator files(folder, {QStringLiteral("*.sqlite")}, QDir::Files);
    while (files.hasNext()) {
        files.next();
        if (files.fileInfo().lastModified().toUTC() < oldest)
            removeWithCompanions(files.filePath());
    }
}

bool RecipeCache::open()
{
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(m_fileName).constData(), &m_db, flags, nullptr) !=
        SQLITE_OK) {
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    // WAL lets a second program read while one writes; a crash loses at most
    // the transaction it was writing.
    const Statement journal = prepare(m_db, "PRAGMA journal_mode=WAL");
    if (!journal || sqlite3_step(journal.get()) != SQLITE_ROW ||
        qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(journal.get(), 0)), "wal") != 0) {
        close();
        return false;
    }
    return execute("PRAGMA synchronous=NORMAL");
}

bool RecipeCache::openOurs()
{
    return open() && (hasOurSchema() || (isBlank() && createSchema()));
}

bool RecipeCache::hasOurSchema()
{
    // Damage beyond the first pages shows when the rows are read, in load().
    return intPragma(m_db, "PRAGMA application_id") == applicationId &&
           intPragma(m_db, "PRAGMA user_version") == schemaVersion;
}

bool RecipeCache::isBlank()
{
    // Just made, by this program or by another one starting on the same
    // cookbook at the same moment; the schema is made to be made twice.
    return intPragma(m_db, "PRAGMA application_id") == 0 &&
           intPragma(m_db, "PRAGMA user_version") == 0 &&
           intPragma(m_db, "SELECT count(*) FROM sqlite_master") == 0;
}

bool RecipeCache::createSchema()
{
    const QByteArray pragmas = QByteArray("PRAGMA application_id=") +
                               QByteArray::number(applicationId) +
                               ";PRAGMA user_version=" + QByteArray::number(schemaVersion);
    return execute("BEGIN IMMEDIATE") && execute(schema) && execute(pragmas.constData()) &&
           execute("COMMIT");
}

void RecipeCache::setAside()
{
    close();
    removeWithCompanions(m_fileName);
}

void RecipeCache::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool RecipeCache::execute(const char* sql)
{
    return m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool RecipeCache::loadRows(const std::function<void(const KeptRow&, const Elements&)>& each)
{
    if (!m_db)
        return false;
    const Statement select = prepare(
        m_db,
        "SELECT path, size, modified, inode, title, tags, ingredients, listed, source FROM recipe "
        "ORDER BY path");
    ListReader lists;
    KeptRow kept;
    int step = select ? sqlite3_step(select.get()) : SQLITE_ERROR;
    for (; step == SQLITE_ROW; step = sqlite3_step(select.get())) {
        sqlite3_stmt* row = select.get();
        kept.path = columnText(row, 0);
        kept.stamp.size = sqlite3_column_int64(row, 1);
        kept.stamp.modifiedNs = sqlite3_column_int64(row, 2);
        kept.stamp.inode = quint64(sqlite3_column_int64(row, 3));
        kept.title = columnText(row, 4);
        lists.read(row, 5, kept.tags);
        lists.read(row, 6, kept.ingredients);
        lists.read(row, 7, kept.listedNames);
        kept.source = columnText(row, 8);
        each(kept, lists.elements());
    }
    if (step == SQLITE_DONE)
        return true;
    // Damaged past what the check at opening saw: nothing of it is shown,
    // and the scan keeps what it reads in a new file.
    setAside();
    if (!open() || !createSchema())
        close();
    return false;
}

std::vector<ParallelRecipeReader::Recipe> RecipeCache::load()
{
    std::vector<ParallelRecipeReader::Recipe> recipes;
    const bool whole = loadRows([&](const KeptRow& kept, const Elements& elements) {
        ParallelRecipeReader::Recipe recipe;
        recipe.path = kept.path;
        recipe.stamp = kept.stamp;
        recipe.title = kept.title;
        recipe.tags = textsOf(kept.tags, elements);
        recipe.ingredients = textsOf(kept.ingredients, elements);
        recipe.listedNames = textsOf(kept.listedNames, elements);
        recipe.source = kept.source;
        recipe.read = recipe.done = true;
        recipes.push_back(std::move(recipe));
    });
    if (!whole)
        recipes.clear();
    return recipes;
}

bool RecipeCache::store(const std::vector<const ParallelRecipeReader::Recipe*>& changed,
                        const QStringList& removedPaths)
{
    if (!m_db || (changed.empty() && removedPaths.isEmpty()))
        return m_db != nullptr;
    // One writer at a time: the transaction takes the write lock at once.
    if (!execute("BEGIN IMMEDIATE"))
        return false;
    const Statement insert =
        prepare(m_db, "INSERT OR REPLACE INTO recipe VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    const Statement remove = prepare(m_db, "DELETE FROM recipe WHERE path = ?1");
    bool ok = insert && remove;
    // Removed first: a recipe read anew comes back with what it holds now.
    for (auto at = removedPaths.begin(); ok && at != removedPaths.end(); ++at) {
        sqlite3_reset(remove.get());
        bindText(remove.get(), 1, *at);
        ok = sqlite3_step(remove.get()) == SQLITE_DONE;
    }
    for (auto at = changed.begin(); ok && at != changed.end(); ++at) {
        const ParallelRecipeReader::Recipe& recipe = **at;
        sqlite3_reset(insert.get());
        bindText(insert.get(), 1, recipe.path);
        sqlite3_bind_int64(insert.get(), 2, recipe.stamp.size);
        sqlite3_bind_int64(insert.get(), 3, recipe.stamp.modifiedNs);
        sqlite3_bind_int64(insert.get(), 4, sqlite3_int64(recipe.stamp.inode));
        bindText(insert.get(), 5, recipe.title);
        bindList(insert.get(), 6, recipe.tags);
        bindList(insert.get(), 7, recipe.ingredients);
        bindList(insert.get(), 8, recipe.listedNames);
        bindText(insert.get(), 9, recipe.source);
        ok = sqlite3_step(insert.get()) == SQLITE_DONE;
    }
    // The Find index kept was built from the recipes as they were.
    ok = ok && execute("UPDATE state SET generation = generation + 1; DELETE FROM textindex; "
                       "DELETE FROM snapshot");
    if (ok && execute("COMMIT"))
        return true;
    // A full disk or a lost lock: what was kept before stays as it was.
    execute("ROLLBACK");
    return false;
}

qint64 RecipeCache::generation()
{
    if (!m_db)
        return -1;
    const Statement select = prepare(m_db, "SELECT generation FROM state");
    if (!select || sqlite3_step(select.get()) != SQLITE_ROW)
        return -1;
    return sqlite3_column_int64(select.get(), 0);
}

QByteArray RecipeCache::keptTextIndex(const QByteArray& pathsKey)
{
    if (!m_db)
        return {};
    const Statement select = prepare(m_db, "SELECT data FROM textindex WHERE paths = ?1 AND "
                                           "generation = (SELECT generation FROM state)");
    if (!select)
        return {};
    sqlite3_bind_blob(select.get(), 1, pathsKey.constData(), int(pathsKey.size()),
                      SQLITE_TRANSIENT);
    if (sqlite3_step(select.get()) != SQLITE_ROW)
        return {};
    return QByteArray(static_cast<const char*>(sqlite3_column_blob(select.get(), 0)),
                      sqlite3_column_bytes(select.get(), 0));
}

bool RecipeCache::keepTextIndex(const QByteArray& pathsKey, qint64 generation,
                                const QByteArray& index)
{
    return insertAtGeneration("INSERT OR REPLACE INTO textindex SELECT 1, ?1, ?2, ?3 "
                              "WHERE (SELECT generation FROM state) = ?1",
                              generation, [&](sqlite3_stmt* insert) {
                                  sqlite3_bind_blob(insert, 2, pathsKey.constData(),
                                                    int(pathsKey.size()), SQLITE_TRANSIENT);
                                  sqlite3_bind_blob(insert, 3, index.constData(), int(index.size()),
                                                    SQLITE_STATIC);
                              });
}

bool RecipeCache::insertAtGeneration(const char* sql, qint64 generation,
                                     const std::function<void(sqlite3_stmt*)>& bind)
{
    if (!m_db || !execute("BEGIN IMMEDIATE"))
        return false;
    const Statement insert = prepare(m_db, sql);
    bool ok = bool(insert);
    if (ok) {
        sqlite3_bind_int64(insert.get(), 1, generation);
        bind(insert.get());
        ok = sqlite3_step(insert.get()) == SQLITE_DONE && sqlite3_changes(m_db) == 1;
    }
    if (ok && execute("COMMIT"))
        return true;
    execute("ROLLBACK");
    return false;
}

QByteArray RecipeCache::keptSnapshot()
{
    if (!m_db || !execute("BEGIN"))
        return {};
    // Read straight into the block, without a copy held by SQLite first:
    // at 100,000 recipes the block is some 15 MB.
    QByteArray snapshot;
    sqlite3_blob* blob = nullptr;
    if (hasSnapshot() &&
        sqlite3_blob_open(m_db, "main", "snapshot", "data", 1, 0, &blob) == SQLITE_OK) {
        snapshot.resize(sqlite3_blob_bytes(blob));
        if (sqlite3_blob_read(blob, snapshot.data(), int(snapshot.size()), 0) != SQLITE_OK)
            snapshot.clear();
    }
    sqlite3_blob_close(blob);
    execute("COMMIT");
    return snapshot;
}

bool RecipeCache::hasSnapshot()
{
    return m_db && intPragma(m_db, "SELECT count(*) FROM snapshot WHERE generation = "
                                   "(SELECT generation FROM state)") == 1;
}

bool RecipeCache::keepSnapshot(qint64 generation, const QByteArray& snapshot)
{
    return !snapshot.isEmpty() &&
           insertAtGeneration("INSERT OR REPLACE INTO snapshot SELECT 1, ?1, ?2 "
                              "WHERE (SELECT generation FROM state) = ?1",
                              generation, [&](sqlite3_stmt* insert) {
                                  sqlite3_bind_blob(insert, 2, snapshot.constData(),
                                                    int(snapshot.size()), SQLITE_STATIC);
                              });
}
