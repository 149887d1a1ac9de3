#include "search/recipefinder.h"

#include "collection/ingredientnameindex.h"
#include "search/kepttextindex.h"
#include "search/pantryshortfalls.h"
#include "search/recipetextindex.h"
#include "search/textquery.h"
#include "text/textfolding.h"

#include <QHash>

#include <iterator>

#include <utility>

RecipeFinder::RecipeFinder(QObject* parent)
    : QObject(parent)
{
    // What the worker finishes travels under the lock; the queued signal only
    // says that there is something to take.
    connect(this, &RecipeFinder::workDoneInternal, this, &RecipeFinder::deliver,
            Qt::QueuedConnection);
    m_worker = std::thread([this] { run(); });
}

RecipeFinder::~RecipeFinder()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

void RecipeFinder::setCollection(std::shared_ptr<const Collection> collection)
{
    m_collection = std::move(collection);
    m_indexReady = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_work.collection = m_collection;
        m_work.keeping = m_keeping;
        m_work.request.reset();
    }
    m_wake.notify_all();
}

void RecipeFinder::setIndexKeeping(const QString& folder, const QString& rootPath)
{
    m_keeping = {folder, rootPath};
}

void RecipeFinder::prepareIndex()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_work.indexWanted = true;
    }
    m_wake.notify_all();
}

std::uint64_t RecipeFinder::find(Request request)
{
    const std::uint64_t number = ++m_lastRequest;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_work.request = std::move(request);
        m_work.requestNumber = number;
    }
    m_wake.notify_all();
    return number;
}

void RecipeFinder::deliver()
{
    std::optional<Result> result;
    std::shared_ptr<const Collection> indexed;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        result = std::exchange(m_finishedResult, std::nullopt);
        indexed = std::exchange(m_finishedIndex, nullptr);
    }
    if (indexed && indexed == m_collection && !m_indexReady) {
        m_indexReady = true;
        emit indexReady();
    }
    if (result && result->collection == m_collection && result->request == m_lastRequest)
        emit resultReady(*result);
}

bool RecipeFinder::hasWork() const
{
    return m_work.request.has_value() || m_work.collection != m_adopted ||
           (m_work.indexWanted && m_work.collection && m_indexedCollection != m_work.collection);
}

void RecipeFinder::run()
{
    for (;;) {
        std::unique_lock<std::mutex> lock(m_lock);
        m_wake.wait(lock, [this] { return m_stopping || hasWork(); });
        if (m_stopping)
            return;
        const Work work = m_work;
        lock.unlock();

        adopt(work.collection);
        if (!work.collection) {
            // Nothing to search yet: the request waits for a collection.
            lock.lock();
            if (m_work.requestNumber == work.requestNumber)
                m_work.request.reset();
            continue;
        }
        const bool textWanted = work.request && !work.request->text.trimmed().isEmpty();
        if ((work.indexWanted || textWanted) && !m_index &&
            !buildIndex(work.collection, work.keeping))
            continue;
        if (!work.request)
            continue;
        std::optional<Result> result = answer(*work.request, work.requestNumber, work.collection);
        lock.lock();
        if (m_work.requestNumber == work.requestNumber)
            m_work.request.reset();
        lock.unlock();
        if (!result)
            continue;
        lock.lock();
        m_finishedResult = std::move(result);
        lock.unlock();
        emit workDoneInternal();
    }
}

void RecipeFinder::adopt(const std::shared_ptr<const Collection>& collection)
{
    if (collection == m_adopted)
        return;
    m_adopted = collection;
    m_index.reset();
    m_coverage.reset();
    m_coveredPantry.reset();
    m_positionByPath.clear();
    if (!collection)
        return;
    m_positionByPath.reserve(collection->size());
    for (int i = 0; i < collection->size(); ++i)
        m_positionByPath.insert(collection->at(i).path, i);
}

bool RecipeFinder::collectionReplaced(const std::shared_ptr<const Collection>& collection) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_stopping || m_work.collection != collection;
}

bool RecipeFinder::overtaken(std::uint64_t number,
                             const std::shared_ptr<const Collection>& collection) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_stopping || m_work.collection != collection || m_work.requestNumber != number;
}

bool RecipeFinder::buildIndex(const std::shared_ptr<const Collection>& collection,
                              const Keeping& keeping)
{
    QStringList paths;
    paths.reserve(collection->size());
    for (const Recipe& recipe : *collection)
        paths.append(recipe.path);
    m_index = KeptTextIndex::take(keeping.folder, keeping.rootPath, paths,
                                  [&] { return collectionReplaced(collection); });
    if (!m_index)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_indexedCollection = collection;
        m_finishedIndex = collection;
    }
    emit workDoneInternal();
    return true;
}

std::vector<bool> RecipeFinder::recipesOf(const Choice& choice) const
{
    std::vector<bool> recipes(std::size_t(m_adopted->size()), false);
    for (const QString& path : choice.paths) {
        const auto found = m_positionByPath.constFind(path);
        if (found != m_positionByPath.constEnd())
            recipes[std::size_t(*found)] = true;
    }
    return recipes;
}

const PantryShortfalls& RecipeFinder::coverageOf(const std::shared_ptr<const Pantry>& pantry)
{
    if (pantry != m_coveredPantry || !m_coverage) {
        const IngredientNameIndex noNames;
        m_coverage = std::make_unique<PantryShortfalls>(pantry->listed ? *pantry->listed : noNames,
                                                        pantry->stock, m_positionByPath,
                                                        int(m_adopted->size()));
        m_coveredPantry = pantry;
    }
    return *m_coverage;
}

std::optional<RecipeFinder::Result>
RecipeFinder::answer(const Request& request, std::uint64_t number,
                     const std::shared_ptr<const Collection>& collection)
{
    const auto stop = [&] { return overtaken(number, collection); };
    const std::size_t count = std::size_t(collection->size());
    std::vector<bool> candidates(count, true);
    const auto narrow = [&](const std::vector<bool>& allowed) {
        for (std::size_t i = 0; i < count; ++i)
            candidates[i] = candidates[i] && allowed[i];
    };

    TextFolding folding;
    const TextQuery query(request.text, folding);
    for (const TextQuery::Word& word : query.words()) {
        for (const QString& piece : word.pieces) {
            narrow(m_index->recipesWithTokenStarting(piece, stop));
            if (stop())
                return std::nullopt;
        }
    }
    for (const Choice& tag : request.tags)
        narrow(recipesOf(tag));

    std::vector<std::vector<bool>> ingredients;
    for (const Choice& ingredient : request.ingredients)
        ingredients.push_back(recipesOf(ingredient));
    const PantryShortfalls* pantry = request.pantry ? &coverageOf(request.pantry) : nullptr;
    if (stop())
        return std::nullopt;

    Result result;
    result.collection = collection;
    result.request = number;
    const bool anyCondition =
        !query.isEmpty() || !request.tags.isEmpty() || !request.ingredients.isEmpty() || pantry;
    if (!anyCondition)
        return result;
    const bool checkText = query.needsTextCheck();
    std::vector<std::pair<int, QStringList>> lackingTwo;
    for (std::size_t i = 0; i < count; ++i) {
        if (!candidates[i])
            continue;
        int missing = -1;
        int lacking = 0;
        for (std::size_t k = 0; k < ingredients.size() && lacking < 2; ++k) {
            if (!ingredients[k][i]) {
                missing = int(k);
                ++lacking;
            }
        }
        // From the pantry, the chosen ingredients are a filter: its own
        // shortfall is what ranks.
        const bool near = lacking == 1 && ingredients.size() >= 2 && !pantry;
        if (lacking != 0 && !near)
            continue;
        if (pantry && (!pantry->listsIngredients(int(i)) || pantry->lacking(int(i)) > 2))
            continue;
        if (checkText) {
            if ((i & 0x3f) == 0 && stop())
                return std::nullopt;
            if (!query.matchesText(
                    RecipeTextIndex::foldedTextOf(collection->at(int(i)).path, folding)))
                continue;
        }
        if (near)
            result.nearMatches.emplace_back(int(i), missing);
        else if (pantry && pantry->lacking(int(i)) == 1)
            result.pantryShortfalls.emplace_back(int(i), pantry->lackingNames(int(i)));
        else if (pantry && pantry->lacking(int(i)) == 2)
            lackingTwo.emplace_back(int(i), pantry->lackingNames(int(i)));
        else
            result.matches.push_back(int(i));
    }
    if (stop())
        return std::nullopt;
    std::move(lackingTwo.begin(), lackingTwo.end(), std::back_inserter(result.pantryShortfalls));
    return result;
}
