#pragma once

#include "pantry/pantrystock.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class IngredientNameIndex;
class PantryShortfalls;
class RecipeTextIndex;

// Finds the recipes of a collection that meet a set of conditions: words
// that must occur in the recipe's text, and chosen ingredients and tags,
// each given as the paths of the recipes it matches. The work runs on a
// thread of the finder's own: the text index of a collection is built there
// when first needed, and each request is answered there. A request overtaken
// by a newer one, or by a new collection, is dropped where it stands. Used
// from the thread that owns it; answers arrive there through its event loop.
class RecipeFinder : public QObject
{
    Q_OBJECT
public:
    struct Recipe
    {
        QString title;
        QString path;
    };
    // The recipes in the order in which results are listed.
    using Collection = QList<Recipe>;

    // An ingredient or tag the user chose, with the recipes it matches.
    struct Choice
    {
        QString name;
        QStringList paths;
    };
    // The pantry to cook from: the names the collection lists and what the
    // pantry holds. A new one is worked out afresh; the same one is reused.
    struct Pantry
    {
        std::shared_ptr<const IngredientNameIndex> listed;
        PantryStock stock;
    };
    struct Request
    {
        QString text;
        QList<Choice> ingredients;
        QList<Choice> tags;
        // Set, the recipes that can be cooked from it come first, then those
        // it lacks one or two ingredients of.
        std::shared_ptr<const Pantry> pantry;
    };
    struct Result
    {
        std::shared_ptr<const Collection> collection;
        std::uint64_t request = 0;
        std::vector<int> matches; // positions in the collection, in order
        // Recipes that lack exactly one of two or more chosen ingredients:
        // position in the collection and the index of the missing choice.
        std::vector<std::pair<int, int>> nearMatches;
        // From the pantry: recipes it lacks one, then two ingredients of, with
        // their names.
        std::vector<std::pair<int, QStringList>> pantryShortfalls;
    };

    explicit RecipeFinder(QObject* parent = nullptr);
    ~RecipeFinder() override;

    // Replaces the collection; the old one's index and answers are dropped.
    void setCollection(std::shared_ptr<const Collection> collection);
    std::shared_ptr<const Collection> collection() const { return m_collection; }

    // Keeps the text index between runs beside what the scan keeps of the
    // cookbook at `rootPath` in `folder` (see RecipeCache), and takes it from
    // there while the cookbook's files are as they were; an empty folder keeps
    // nothing. For the collections set from now on.
    void setIndexKeeping(const QString& folder, const QString& rootPath);

    // Builds the text index of the current collection now, without waiting
    // for a text request.
    void prepareIndex();
    // Whether the text index of the current collection is complete.
    bool isIndexReady() const { return m_indexReady; }

    // Queues a request in place of any earlier one and returns its number.
    std::uint64_t find(Request request);

signals:
    void indexReady();
    void resultReady(const RecipeFinder::Result& result);
    // Emitted by the worker when it has left something in the mailbox; serves
    // only the queued relay to deliver().
    void workDoneInternal();

private:
    void deliver();
    struct Keeping
    {
        QString folder;
        QString rootPath;
    };
    struct Work
    {
        std::shared_ptr<const Collection> collection;
        Keeping keeping;
        bool indexWanted = false;
        std::optional<Request> request;
        std::uint64_t requestNumber = 0;
    };

    void run();
    bool hasWork() const;
    void adopt(const std::shared_ptr<const Collection>& collection);
    bool buildIndex(const std::shared_ptr<const Collection>& collection, const Keeping& keeping);
    std::optional<Result> answer(const Request& request, std::uint64_t number,
                                 const std::shared_ptr<const Collection>& collection);
    bool collectionReplaced(const std::shared_ptr<const Collection>& collection) const;
    bool overtaken(std::uint64_t number, const std::shared_ptr<const Collection>& collection) const;
    std::vector<bool> recipesOf(const Choice& choice) const;
    const PantryShortfalls& coverageOf(const std::shared_ptr<const Pantry>& pantry);

    // Owner's thread.
    std::shared_ptr<const Collection> m_collection;
    Keeping m_keeping;
    std::uint64_t m_lastRequest = 0;
    bool m_indexReady = false;

    // Shared with the worker, under the lock.
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    Work m_work;
    bool m_stopping = false;
    std::shared_ptr<const Collection> m_indexedCollection;
    // The mailbox: what the worker has finished and the owner not yet taken.
    std::optional<Result> m_finishedResult;
    std::shared_ptr<const Collection> m_finishedIndex;

    // Worker's own.
    std::shared_ptr<const Collection> m_adopted;
    std::unique_ptr<RecipeTextIndex> m_index;
    QHash<QString, int> m_positionByPath;
    std::shared_ptr<const Pantry> m_coveredPantry;
    std::unique_ptr<PantryShortfalls> m_coverage;

    // Started once everything above exists and the relay is connected.
    std::thread m_worker;
};
