#pragma once

#include "collection/parallelrecipereader.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// What the scan learnt of one cookbook, kept between runs in an SQLite file
// under the user's cache folder, so that a start shows the recipes at once and
// reads only the files that changed since. Never trusted over the files: a
// kept file that is damaged, foreign or of another version is set aside and
// started afresh, and when none can be written the scan works without one.
// Used from one thread at a time; two programs may keep the same cookbook.
class RecipeCache
{
public:
    // Raised whenever what is kept, or how, changes.
    static constexpr int schemaVersion = 3;
    // A cookbook not opened for this long is forgotten.
    static constexpr int unusedDays = 90;

    // Opens (or starts) the kept file of the cookbook at `rootPath` in `folder`.
    RecipeCache(const QString& folder, const QString& rootPath);
    ~RecipeCache();
    RecipeCache(const RecipeCache&) = delete;
    RecipeCache& operator=(const RecipeCache&) = delete;

    static QString fileFor(const QString& folder, const QString& rootPath);
    // Removes the kept files of cookbooks not opened for `unusedDays`.
    static void forgetUnused(const QString& folder);

    bool isOpen() const { return m_db != nullptr; }
    QString fileName() const { return m_fileName; }

    // One kept recipe as loadRows() hands it: its lists hold numbers of
    // elements (tags, ingredient keys, listed names), the same number for
    // the same text in every row of one load.
    struct KeptRow
    {
        QString path;
        FileStamp stamp;
        QString title;
        QString source;
        std::vector<int> tags;
        std::vector<int> ingredients;
        std::vector<int> listedNames;
    };
    // The texts of the element numbers met so far, by number.
    using Elements = std::vector<QString>;

    // Every kept row, in the order of their paths, handed to `each` as it is
    // read; false when they cannot all be read, in which case the file is set
    // aside and what `each` was given must be forgotten. A start indexes the
    // numbers, not the texts: it looks each distinct element up once.
    bool loadRows(const std::function<void(const KeptRow&, const Elements&)>& each);
    // Every kept recipe (read, with its stamp), in the order of their paths;
    // none when nothing can be read, in which case the file is set aside.
    std::vector<ParallelRecipeReader::Recipe> load();
    // Lets the removed paths go and keeps the recipes read anew (a path in
    // both is kept as read), in one transaction; false (and nothing changed) when it cannot be
    // written.
    bool store(const std::vector<const ParallelRecipeReader::Recipe*>& changed,
               const QStringList& removedPaths);

    // A number that changes whenever store() changes what is kept; -1 when
    // nothing can be read.
    qint64 generation();
    // The Find index kept for the recipes whose paths give `pathsKey`, as
    // they were when generation() was last changed; empty when there is none.
    QByteArray keptTextIndex(const QByteArray& pathsKey);
    // Keeps a Find index built from the files after generation() gave
    // `generation`: unless a store() came between, so that it may not match
    // the kept recipes, in which case nothing is kept.
    bool keepTextIndex(const QByteArray& pathsKey, qint64 generation, const QByteArray& index);

    // What the models of the kept recipes are built from (see IndexSnapshot),
    // as kept by keepSnapshot() since the last store(); empty when there is none.
    QByteArray keptSnapshot();
    bool hasSnapshot();
    // Keeps `snapshot`, made of the recipes kept when generation() gave
    // `generation`: unless a store() came between, in which case nothing is kept.
    bool keepSnapshot(qint64 generation, const QByteArray& snapshot);

private:
    static QString fileFor(const QString& folder, const QString& rootPath, int version);
    bool open();
    bool openOurs();
    bool hasOurSchema();
    bool isBlank();
    bool createSchema();
    void setAside();
    void close();
    bool execute(const char* sql);
    // Runs the insert `sql` in a transaction of its own, with ?1 bound to
    // `generation` and the rest by `bind`; true when it inserted one row.
    bool insertAtGeneration(const char* sql, qint64 generation,
                            const std::function<void(sqlite3_stmt*)>& bind);

    QString m_fileName;
    sqlite3* m_db = nullptr;
};
