#include "collection/scanner.h"

#include "collection/cookbookwalk.h"
#include "collection/indexsnapshot.h"
#include "collection/ingredientnameindex.h"
#include "collection/keptrecipewriter.h"
#include "collection/modeldisposer.h"
#include "collection/parallelrecipereader.h"
#include "collection/recipecache.h"
#include "collection/recipeindexmodel.h"
#include "recipe/recipeparser.h"

#include <QStandardItemModel>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <future>
#include <limits>
#include <numeric>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using ModelPointer = std::shared_ptr<QStandardItemModel>;

using Recipes = RecipeIndexModel::Recipes;
using IndexList = RecipeIndexModel::RecipeNumbers;
using IndexMap = QHash<QString, IndexList>;

// The recipes in ascending order of title; each one's place in that order
// goes to recipes.placeOf, by which the index models list theirs. The titles
// are compared once, here; the index lists compare places, plain numbers.
IndexList orderByTitle(Recipes& recipes)
{
    IndexList order(std::size_t(recipes.titles.size()));
    std::iota(order.begin(), order.end(), 0);
    // Recipes of one title follow in the order of their paths, so that every
    // scan of the same cookbook, whatever order its walk found the files in,
    // lists them alike (the Find index kept between runs counts on it).
    const auto before = [&recipes](int a, int b) {
        const int byTitle = QString::compare(recipes.titles[a], recipes.titles[b]);
        return byTitle != 0 ? byTitle < 0 : recipes.paths[a] < recipes.paths[b];
    };
    // Recipes from a kept snapshot come ordered: one look instead of a sort.
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::sort(order.begin(), order.end(), before);
    recipes.placeOf.resize(order.size());
    for (std::size_t place = 0; place < order.size(); ++place)
        recipes.placeOf[std::size_t(order[place])] = int(place);
    return order;
}

// The keys' rows only: the recipe rows under each are made when first asked for.
std::unique_ptr<QStandardItemModel> buildTreeModel(IndexMap& indexesByKey,
                                                   const std::shared_ptr<const Recipes>& recipes)
{
    // Keys in ascending order, as an ordered map would hold them; hashing
    // first and sorting the few thousand keys once is cheaper than keeping
    // a map ordered through every insertion.
    QStringList keys = indexesByKey.keys();
    std::sort(keys.begin(), keys.end());
    std::vector<IndexList> recipesOf;
    recipesOf.reserve(std::size_t(keys.size()));
    for (const QString& key : keys)
        recipesOf.push_back(std::move(indexesByKey[key]));
    auto model = std::make_unique<RecipeIndexModel>(recipes);
    model->appendKeys(keys, std::move(recipesOf));
    return model;
}

// The title rows of the recipes at `from` to `to` of `order`.
void makeTitleRows(const Recipes& recipes, const IndexList& order, std::size_t from, std::size_t to,
                   const QStandardItem& prototype, QStandardItem** rows)
{
    for (std::size_t at = from; at < to; ++at) {
        const int index = order[at];
        std::unique_ptr<QStandardItem> item(prototype.clone());
        item->setText(recipes.titles[index]);
        item->setData(recipes.paths[index], PathRole);
        rows[at] = item.release(); // owned by the model next
    }
}

// Large cookbooks have their rows made on two threads: the items belong to
// no model yet, and each thread fills its own part of the list.
std::unique_ptr<QStandardItemModel> buildTitleModel(const Recipes& recipes, const IndexList& order,
                                                    QHash<QString, QString>& titlesByPath)
{
    constexpr std::size_t splitFrom = 4096;
    const std::unique_ptr<QStandardItem> prototype = RecipeIndexModel::rowPrototype(true);
    QList<QStandardItem*> rows(qsizetype(order.size()), nullptr);
    // The other thread's share is larger: this one makes the title table too.
    const std::size_t split = order.size() >= splitFrom ? order.size() * 3 / 5 : 0;
    QStandardItem** const made = rows.data();
    std::future<void> firstPart;
    try {
        if (split > 0)
            firstPart =
                std::async(std::launch::async, makeTitleRows, std::cref(recipes), std::cref(order),
                           std::size_t(0), split, std::cref(*prototype), made);
    } catch (const std::system_error&) {
        makeTitleRows(recipes, order, 0, split, *prototype, made); // no thread to be had
    }
    titlesByPath.reserve(qsizetype(order.size()));
    for (int index : order)
        titlesByPath.insert(recipes.paths[index], recipes.titles[index]);
    makeTitleRows(recipes, order, split, order.size(), *prototype, made);
    if (firstPart.valid())
        firstPart.get();
    auto model = std::make_unique<QStandardItemModel>();
    model->invisibleRootItem()->appendRows(rows);
    model->setItemRoleNames(
        {{Qt::DisplayRole, QByteArrayLiteral("display")}, {PathRole, QByteArrayLiteral("path")}});
    return model;
}

// Everything the models are built from, gathered recipe by recipe.
struct ScanIndexes
{
    std::shared_ptr<Recipes> recipes = std::make_shared<Recipes>();
    IndexMap byTag;
    IndexMap byIngredient;
    std::shared_ptr<IngredientNameIndex> listedNames = std::make_shared<IngredientNameIndex>();
    QHash<QString, QString> sourcesByPath;
    std::vector<FileStamp> stamps; // numbered as the recipes, for the snapshot

    IndexSnapshot::Parts parts()
    {
        return {recipes.get(), &stamps, &byTag, &byIngredient, listedNames.get(), &sourcesByPath};
    }

    // Read back from a snapshot, on empty indexes; false (and the indexes
    // emptied) when it cannot be.
    bool restore(const QByteArray& snapshot)
    {
        if (IndexSnapshot::read(snapshot, parts()))
            return true;
        *this = {};
        return false;
    }

    void add(const ParallelRecipeReader::Recipe& recipe)
    {
        if (!recipe.read)
            return;
        listedNames->add(recipe.path, recipe.listedNames);
        if (!recipe.source.isEmpty())
            sourcesByPath.insert(recipe.path, recipe.source);
        const int index = int(recipes->titles.size());
        recipes->titles.append(recipe.title);
        recipes->paths.append(recipe.path);
        stamps.push_back(recipe.stamp);
        for (const QString& tag : recipe.tags)
            byTag[tag].push_back(index);
        for (const QString& ingredient : recipe.ingredients) {
            // A recipe is listed once per ingredient name. Every path comes
            // once, so an equal entry can only be this recipe's own, added
            // for an earlier line, and thus the last in the list.
            IndexList& indexes = byIngredient[ingredient];
            if (indexes.empty() || indexes.back() != index)
                indexes.push_back(index);
        }
    }

    // The same for a kept row, whose lists come as element numbers: each
    // element's recipes are gathered by number, and filed under its text
    // once, by fileKeptElements(), instead of a text look-up per entry.
    void addKept(const RecipeCache::KeptRow& row, const RecipeCache::Elements& elements)
    {
        learnElements(elements);
        m_listedNumbers.clear();
        for (const int element : row.listedNames) {
            qsizetype& name = m_nameOfElement[std::size_t(element)];
            if (name < 0)
                name = listedNames->numberOf(m_elements[std::size_t(element)]);
            m_listedNumbers.push_back(name);
        }
        listedNames->addNumbered(row.path, m_listedNumbers);
        if (!row.source.isEmpty())
            sourcesByPath.insert(row.path, row.source);
        const int index = int(recipes->titles.size());
        recipes->titles.append(row.title);
        recipes->paths.append(row.path);
        stamps.push_back(row.stamp);
        for (const int element : row.tags)
            m_byTagElement[std::size_t(element)].push_back(index);
        for (const int element : row.ingredients) {
            IndexList& indexes = m_byIngredientElement[std::size_t(element)];
            if (indexes.empty() || indexes.back() != index)
                indexes.push_back(index);
        }
    }

    void fileKeptElements()
    {
        fileByText(m_byTagElement, byTag);
        fileByText(m_byIngredientElement, byIngredient);
        m_elements = {};
        m_nameOfElement = {};
    }

private:
    void learnElements(const RecipeCache::Elements& elements)
    {
        for (std::size_t at = m_elements.size(); at < elements.size(); ++at)
            m_elements.push_back(elements[at]);
        m_byTagElement.resize(m_elements.size());
        m_byIngredientElement.resize(m_elements.size());
        m_nameOfElement.resize(m_elements.size(), -1);
    }

    void fileByText(std::vector<IndexList>& byElement, IndexMap& byText) const
    {
        for (std::size_t element = 0; element < byElement.size(); ++element) {
            if (byElement[element].empty())
                continue;
            IndexList& filed = byText[m_elements[element]];
            if (filed.empty())
                filed = std::move(byElement[element]);
            else
                filed.insert(filed.end(), byElement[element].begin(), byElement[element].end());
        }
        byElement = {};
    }

    RecipeCache::Elements m_elements;
    std::vector<IndexList> m_byTagElement;
    std::vector<IndexList> m_byIngredientElement;
    std::vector<qsizetype> m_nameOfElement; // -1: not looked up yet
    std::vector<qsizetype> m_listedNumbers;
};

// A kept recipe as the check sees it: where it is and how it was when read.
struct KeptFile
{
    QString path;
    FileStamp stamp;
};

// What was kept, indexed as it is read: only each recipe's path and stamp
// stay, what the check needs. None when nothing could be read.
std::vector<KeptFile> loadKept(RecipeCache& cache, ScanIndexes& indexes)
{
    std::vector<KeptFile> kept;
    const bool whole =
        cache.loadRows([&](const RecipeCache::KeptRow& row, const RecipeCache::Elements& elements) {
            indexes.addKept(row, elements);
            kept.push_back({row.path, row.stamp});
        });
    if (!whole)
        kept.clear();
    indexes.fileKeptElements();
    return kept;
}

// The path and stamp of every recipe of `indexes`: what was kept, read from
// a snapshot.
std::vector<KeptFile> filesOf(const ScanIndexes& indexes)
{
    std::vector<KeptFile> files;
    files.reserve(indexes.stamps.size());
    for (std::size_t at = 0; at < indexes.stamps.size(); ++at)
        files.push_back({indexes.recipes->paths.at(qsizetype(at)), indexes.stamps[at]});
    return files;
}

std::vector<KeptFile> filesOf(const std::vector<ParallelRecipeReader::Recipe>& recipes)
{
    std::vector<KeptFile> files;
    files.reserve(recipes.size());
    for (const ParallelRecipeReader::Recipe& recipe : recipes)
        files.push_back({recipe.path, recipe.stamp});
    return files;
}

void sortByPath(std::vector<ParallelRecipeReader::Recipe>& recipes)
{
    const auto byPath = [](const ParallelRecipeReader::Recipe& a,
                           const ParallelRecipeReader::Recipe& b) { return a.path < b.path; };
    // The kept recipes come in the order of the kept file's key, their paths:
    // sorted already but for rare characters beyond the Basic Multilingual Plane.
    if (!std::is_sorted(recipes.begin(), recipes.end(), byPath))
        std::sort(recipes.begin(), recipes.end(), byPath);
}

// Walks the cookbook with the recipe files found, and their stamps, handed
// to `found`, which is told every 256 files to take what was read meanwhile.
template<typename Found>
void walkCookbook(const QString& rootPath, Found found,
                  CookbookWalk::Stamps stamps = CookbookWalk::Stamps::Taken)
{
    int count = 0;
    CookbookWalk::walk(
        rootPath,
        [&](QString path, const FileStamp& stamp) {
            found(std::move(path), stamp, ++count % 256 == 0);
        },
        stamps);
}

// Reads every recipe of the cookbook: the walk stays on this thread, the
// files it finds are read and parsed on every core meanwhile, and are indexed
// in the walk's order as they come back. With `keep`, the recipes read are
// also kept for the next start.
void readCookbook(const QString& rootPath, ScanIndexes& indexes, KeptRecipeWriter* keep = nullptr)
{
    ParallelRecipeReader reader(ParallelRecipeReader::idealThreads());
    std::vector<ParallelRecipeReader::Recipe> ready;
    const auto take = [&](ParallelRecipeReader::Recipe& recipe) {
        indexes.add(recipe);
        if (keep && recipe.read)
            keep->add(std::move(recipe));
    };
    const auto addReady = [&] {
        reader.takeReady(ready);
        for (ParallelRecipeReader::Recipe& recipe : ready)
            take(recipe);
        ready.clear();
    };
    // Each file is stamped on the descriptor it is read from, not by the walk.
    walkCookbook(
        rootPath,
        [&](QString path, const FileStamp&, bool takeNow) {
            reader.add(std::move(path));
            if (takeNow)
                addReady();
        },
        CookbookWalk::Stamps::Skipped);
    reader.takeAll(take);
}

std::vector<const ParallelRecipeReader::Recipe*>
readOnes(const std::vector<ParallelRecipeReader::Recipe>& recipes)
{
    std::vector<const ParallelRecipeReader::Recipe*> read;
    read.reserve(recipes.size());
    for (const ParallelRecipeReader::Recipe& recipe : recipes)
        if (recipe.read)
            read.push_back(&recipe);
    return read;
}

// The cookbook as it is now, from what was kept and the files that changed
// since, which alone are read; the cache learns what changed. Nothing is
// returned when nothing changed: what was kept is the cookbook as it is.
// With `whole`, the kept recipes as read (in the order of `kept`), whose
// unchanged ones are taken from there; without, they are read from the cache.
std::optional<std::vector<ParallelRecipeReader::Recipe>>
checkCookbook(const QString& rootPath, const std::vector<KeptFile>& kept,
              std::vector<ParallelRecipeReader::Recipe>* whole, RecipeCache& cache)
{
    QHash<QString, std::size_t> keptAt;
    keptAt.reserve(qsizetype(kept.size()));
    for (std::size_t at = 0; at < kept.size(); ++at)
        keptAt.insert(kept[at].path, at);
    std::vector<bool> unchanged(kept.size(), false);
    std::vector<ParallelRecipeReader::Recipe> fresh;
    ParallelRecipeReader reader(ParallelRecipeReader::idealThreads());
    walkCookbook(rootPath, [&](QString path, const FileStamp& stamp, bool takeNow) {
        const auto at = keptAt.constFind(path);
        if (at != keptAt.cend() && stamp.isValid() && kept[*at].stamp == stamp)
            unchanged[*at] = true;
        else
            reader.add(std::move(path), stamp);
        if (takeNow)
            reader.takeReady(fresh);
    });
    reader.takeAll(
        [&](ParallelRecipeReader::Recipe& recipe) { fresh.push_back(std::move(recipe)); });

    // Kept recipes that changed leave with the removed ones; those read
    // again come back with the fresh ones.
    QStringList gone;
    for (std::size_t at = 0; at < kept.size(); ++at)
        if (!unchanged[at])
            gone.append(kept[at].path);
    if (fresh.empty() && gone.isEmpty())
        return std::nullopt;
    const std::vector<const ParallelRecipeReader::Recipe*> read = readOnes(fresh);
    const bool stored = cache.store(read, gone);
    std::vector<ParallelRecipeReader::Recipe> current;
    if (!whole) {
        // The kept recipes kept only their paths and stamps: the cache, which
        // has just learnt what changed, holds the cookbook as it is.
        const auto unchangedCount =
            std::size_t(std::count(unchanged.begin(), unchanged.end(), true));
        if (stored)
            current = cache.load();
        if (current.size() == unchangedCount + read.size())
            return current;
        // It could not say (a full disk, another program writing): the
        // unchanged recipes are read again.
        current.clear();
        ParallelRecipeReader again(ParallelRecipeReader::idealThreads());
        for (std::size_t at = 0; at < kept.size(); ++at)
            if (unchanged[at])
                again.add(kept[at].path, kept[at].stamp);
        again.takeAll(
            [&](ParallelRecipeReader::Recipe& recipe) { current.push_back(std::move(recipe)); });
    } else {
        current.reserve(kept.size() + fresh.size());
        for (std::size_t at = 0; at < kept.size(); ++at)
            if (unchanged[at])
                current.push_back(std::move((*whole)[at]));
    }
    for (ParallelRecipeReader::Recipe& recipe : fresh)
        current.push_back(std::move(recipe));
    return current;
}

// The three models, the title table and the names index of one publication.
struct BuiltModels
{
    std::unique_ptr<QStandardItemModel> ingredientModel;
    std::unique_ptr<QStandardItemModel> tagModel;
    std::unique_ptr<QStandardItemModel> titleModel;
    QHash<QString, QString> titlesByPath;
};

// With `snapshot`, also writes there what the models are built from, for a
// start to read back (see IndexSnapshot).
BuiltModels buildModels(ScanIndexes& indexes, QThread* resultThread, QByteArray* snapshot)
{
    BuiltModels built;
    const IndexList order = orderByTitle(*indexes.recipes);
    if (snapshot)
        *snapshot = IndexSnapshot::write(indexes.parts(), order);
    const std::shared_ptr<const Recipes> recipes = std::move(indexes.recipes);
    built.ingredientModel = buildTreeModel(indexes.byIngredient, recipes);
    indexes.byIngredient = {};
    built.tagModel = buildTreeModel(indexes.byTag, recipes);
    indexes.byTag = {};
    indexes.listedNames->finish();
    built.titleModel = buildTitleModel(*recipes, order, built.titlesByPath);
    for (QStandardItemModel* model :
         {built.ingredientModel.get(), built.tagModel.get(), built.titleModel.get()})
        model->moveToThread(resultThread);
    return built;
}

} // namespace

Scanner::Scanner(QObject* parent)
    : QObject(parent)
    , m_disposer(std::make_shared<ModelDisposer>())
{
    connect(this, &Scanner::dataUpdatedInternal, this, &Scanner::dataUpdated, Qt::QueuedConnection);
}

Scanner::~Scanner()
{
    // Waits for a running scan to publish before the models and table go.
    if (m_scanTask.valid())
        m_scanTask.wait();
}

void Scanner::setRootPath(const QString& path)
{
    {
        std::lock_guard<std::mutex> lock(m_modelLock);
        m_rootPath = path;
    }
    doUpdate();
}

QString Scanner::rootPath() const
{
    return m_rootPath;
}

QString Scanner::shownRootPath() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_shownRoot;
}

std::shared_ptr<QStandardItemModel> Scanner::titleModel() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_titleModel;
}

std::shared_ptr<QStandardItemModel> Scanner::tagModel() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_tagModel;
}

std::shared_ptr<QStandardItemModel> Scanner::ingredientModel() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_ingredientModel;
}

std::shared_ptr<const IngredientNameIndex> Scanner::listedIngredients() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_listedIngredients;
}

QHash<QString, QString> Scanner::titlesByPath() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_titlesByPath;
}

QHash<QString, QString> Scanner::sourcesByPath() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_sourcesByPath;
}

void Scanner::setIndexFolder(const QString& folder)
{
    m_indexFolder = folder;
}

QString Scanner::indexFolder() const
{
    return m_indexFolder;
}

QString Scanner::defaultIndexFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/cookbooks");
}

bool Scanner::shownRootDiffers() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_shownRoot != m_rootPath;
}

void Scanner::doUpdate()
{
    if (m_busy.load() && refusedWhileBusy())
        return;
    if (m_rootPath.isEmpty())
        return;
    m_busy.store(true);
    startScan();
}

bool Scanner::refusedWhileBusy()
{
    // A publication emits and then clears busy under the lock, so a handler of
    // its dataUpdated() may run before busy is cleared; waiting for the lock
    // lets such a reload through instead of dropping it.
    std::lock_guard<std::mutex> lock(m_modelLock);
    if (!m_busy.load())
        return false;
    // The kept recipes are shown and only their check still runs: to whoever
    // watches dataUpdated() the scan has ended, so a reload asked for now runs
    // when the check ends instead of being lost.
    if (m_checkingKept)
        m_reloadAfterCheck = true;
    return true;
}

void Scanner::startScan()
{
    QThread* resultThread = QThread::currentThread();
    try {
        // Assigning releases the previous handle, which waits for the previous
        // scan thread; that scan has already published, so the wait is short.
        m_scanTask = std::async(std::launch::async, &Scanner::runScan, this, m_rootPath,
                                resultThread, m_indexFolder, shownRootDiffers());
    } catch (const std::system_error&) {
        // No thread could be started: nothing will publish, so nothing may
        // stay busy either, or every later reload would be refused.
        m_busy.store(false);
    }
}

void Scanner::scanChangedRoot()
{
    // Still busy from the scan that just published.
    if (m_rootPath.isEmpty()) {
        m_busy.store(false);
        return;
    }
    startScan();
}

void Scanner::runScan(const QString& rootPath, QThread* resultThread, const QString& indexFolder,
                      bool showKeptFirst)
{
    const auto publishIndexes = [&](ScanIndexes& indexes, bool last,
                                    QByteArray* snapshot = nullptr) {
        BuiltModels built = buildModels(indexes, resultThread, snapshot);
        // Replaced models are destroyed on the disposer's thread, not the GUI's.
        publish(rootPath, ModelDisposer::share(std::move(built.ingredientModel), m_disposer),
                ModelDisposer::share(std::move(built.tagModel), m_disposer),
                std::move(built.titlesByPath),
                ModelDisposer::share(std::move(built.titleModel), m_disposer),
                std::move(indexes.listedNames), std::move(indexes.sourcesByPath), last);
    };
    if (indexFolder.isEmpty()) {
        ScanIndexes indexes;
        readCookbook(rootPath, indexes);
        publishIndexes(indexes, true);
        return;
    }
    if (showKeptFirst)
        RecipeCache::forgetUnused(indexFolder);
    RecipeCache cache(indexFolder, rootPath);
    const qint64 keptGeneration = cache.generation();
    // A start shows what was kept at once: from the snapshot of the last
    // publication where there is one, else indexed from the kept rows as they
    // are read (and a snapshot made of them for the next start). The check
    // needs only each recipe's path and stamp.
    ScanIndexes keptIndexes;
    std::vector<ParallelRecipeReader::Recipe> keptWhole;
    std::vector<KeptFile> kept;
    QByteArray keptSnapshot;
    if (showKeptFirst) {
        // A snapshot of no recipes shows nothing: the scan runs as if none was kept.
        if (keptIndexes.restore(cache.keptSnapshot()) && !keptIndexes.stamps.empty()) {
            // Checked against the snapshot's own stamps: what is shown.
            kept = filesOf(keptIndexes);
            publishIndexes(keptIndexes, false); // then replaced by what the check finds
        } else {
            keptIndexes = {};
            kept = loadKept(cache, keptIndexes);
            if (!kept.empty())
                publishIndexes(keptIndexes, false, &keptSnapshot);
        }
    } else {
        keptWhole = cache.load();
        kept = filesOf(keptWhole);
    }
    if (kept.empty()) {
        // Nothing kept: a scan as without a cache, shown as soon as it is
        // done; what it read is kept afterwards, for the next start.
        keptIndexes = {}; // what a damaged file gave before it failed
        ScanIndexes indexes;
        if (!cache.isOpen()) {
            readCookbook(rootPath, indexes);
            publishIndexes(indexes, true);
            return;
        }
        KeptRecipeWriter writer(cache);
        readCookbook(rootPath, indexes, &writer);
        QByteArray snapshot;
        publishIndexes(indexes, false, &snapshot);
        writer.finish();
        cache.keepSnapshot(cache.generation(), snapshot);
        endWithoutPublishing(rootPath);
        return;
    }
    std::optional<std::vector<ParallelRecipeReader::Recipe>> current =
        checkCookbook(rootPath, kept, showKeptFirst ? nullptr : &keptWhole, cache);
    if (!current) {
        if (showKeptFirst) {
            // What is shown is the cookbook as it is.
            if (!keptSnapshot.isEmpty())
                cache.keepSnapshot(keptGeneration, keptSnapshot);
            endWithoutPublishing(rootPath);
            return;
        }
        current = std::move(keptWhole); // a reload: the kept recipes are the cookbook
    }
    kept = {};
    keptWhole = {};
    keptSnapshot = {};
    // In path order, so that the check gives the very models shown from
    // what was kept when nothing changed.
    sortByPath(*current);
    ScanIndexes indexes;
    for (const ParallelRecipeReader::Recipe& recipe : *current)
        indexes.add(recipe);
    current.reset();
    const qint64 generation = cache.generation();
    const bool snapshotNeeded = !cache.hasSnapshot();
    if (!snapshotNeeded) {
        publishIndexes(indexes, true);
        return;
    }
    // The scan ends once the snapshot is kept: whoever opens the cookbook
    // next finds it.
    QByteArray snapshot;
    publishIndexes(indexes, false, &snapshot);
    cache.keepSnapshot(generation, snapshot);
    endWithoutPublishing(rootPath);
}

void Scanner::publish(const QString& scannedRoot, ModelPointer ingredientModel,
                      ModelPointer tagModel, QHash<QString, QString> titlesByPath,
                      ModelPointer titleModel, std::shared_ptr<const IngredientNameIndex> names,
                      QHash<QString, QString> sourcesByPath, bool last)
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    m_shownRoot = scannedRoot;
    m_checkingKept = !last;
    m_listedIngredients = std::move(names);
    // The replaced models belong to the owner's thread and must not die on
    // this one: they are kept until the owner takes them in afterPublication().
    m_retiredModels.push_back(std::exchange(m_ingredientModel, std::move(ingredientModel)));
    m_retiredModels.push_back(std::exchange(m_tagModel, std::move(tagModel)));
    m_titlesByPath = std::move(titlesByPath);
    m_sourcesByPath = std::move(sourcesByPath);
    m_retiredModels.push_back(std::exchange(m_titleModel, std::move(titleModel)));
    emit dataUpdatedInternal();
    // The Scanner's own bookkeeping follows the consumers' handlers, and is
    // posted as an event of its own: a consumer that blocks the Scanner's
    // signals cannot keep it busy for good.
    QMetaObject::invokeMethod(this, "afterPublication", Qt::QueuedConnection);
    if (last)
        endScan(scannedRoot);
}

void Scanner::endWithoutPublishing(const QString& scannedRoot)
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    endScan(scannedRoot);
    if (m_followUpScanPending)
        QMetaObject::invokeMethod(this, "afterPublication", Qt::QueuedConnection);
}

void Scanner::endScan(const QString& scannedRoot)
{
    // A folder chosen while this scan ran is scanned next; busy stays set
    // until that scan publishes, so requests meanwhile are dropped as for any
    // running scan.
    m_checkingKept = false;
    if (m_rootPath != scannedRoot || std::exchange(m_reloadAfterCheck, false))
        m_followUpScanPending = true;
    else
        m_busy.store(false);
}

void Scanner::afterPublication()
{
    std::vector<ModelPointer> retired;
    bool followUp = false;
    {
        std::lock_guard<std::mutex> lock(m_modelLock);
        retired.swap(m_retiredModels);
        followUp = std::exchange(m_followUpScanPending, false);
    }
    retired.clear(); // models no consumer holds any more die here, on the owner's thread
    // Queued, so that every consumer's handler of this dataUpdated() still
    // sees the models it announced before the next scan can replace them.
    if (followUp)
        QMetaObject::invokeMethod(this, &Scanner::scanChangedRoot, Qt::QueuedConnection);
}
