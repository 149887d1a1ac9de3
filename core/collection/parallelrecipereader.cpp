#include "collection/parallelrecipereader.h"

#include "files/safefile.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipeparser.h"

#include <algorithm>
#include <limits>

namespace {

// Files claimed at once: few enough to share the work evenly, enough that
// the lock is not taken for every file.
constexpr std::size_t claimSize = 16;
// Far beyond any recipe a person cooks; a file listing more (a generated or
// damaged one) would otherwise cost the scan seconds per file and fill the
// Find index with names nobody looks for.
constexpr qsizetype maxListedIngredients = 1000;

} // namespace

ParallelRecipeReader::ParallelRecipeReader(int threads)
{
    for (int i = 0; i < threads; ++i) {
        try {
            m_readers.emplace_back([this] { readWhileThereIsWork(); });
        } catch (const std::system_error&) {
            break; // fewer readers; the calling thread reads the rest in takeAll()
        }
    }
}

ParallelRecipeReader::~ParallelRecipeReader()
{
    endOfWalk();
    for (std::thread& reader : m_readers)
        if (reader.joinable())
            reader.join();
}

int ParallelRecipeReader::idealThreads()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void ParallelRecipeReader::add(QString path, FileStamp stamp)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_recipes.push_back(Recipe{std::move(path), {}, {}, {}, {}, stamp, false, false, {}});
        if (m_recipes.size() - m_nextUnclaimed < claimSize)
            return; // not a full claim yet: readers would take one file at a time
    }
    m_workAdded.notify_one();
}

void ParallelRecipeReader::takeReady(std::vector<Recipe>& ready)
{
    std::lock_guard<std::mutex> lock(m_lock);
    while (!m_recipes.empty() && m_recipes.front().done) {
        ready.push_back(std::move(m_recipes.front()));
        m_recipes.pop_front();
        --m_nextUnclaimed; // a done recipe was claimed, so this stays in range
    }
}

void ParallelRecipeReader::endOfWalk()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_walkDone = true;
    }
    m_workAdded.notify_all();
}

bool ParallelRecipeReader::allTaken()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_walkDone && m_recipes.empty();
}

void ParallelRecipeReader::waitForReady()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_workDone.wait(lock, [this] { return m_recipes.empty() || m_recipes.front().done; });
}

// Claims the next files, reads them and marks them done; false when there was
// nothing left to claim.
bool ParallelRecipeReader::readOneClaim()
{
    std::vector<Recipe*> claimed;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const std::size_t end = std::min(m_recipes.size(), m_nextUnclaimed + claimSize);
        // Indexing walks the deque's map, which add() may be changing, so the
        // addresses are taken here; the recipes themselves stay where they are.
        for (; m_nextUnclaimed < end; ++m_nextUnclaimed)
            claimed.push_back(&m_recipes[m_nextUnclaimed]);
    }
    if (claimed.empty())
        return false;
    for (Recipe* recipe : claimed)
        read(*recipe);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (Recipe* recipe : claimed)
            recipe->done = true;
    }
    m_workDone.notify_all();
    return true;
}

void ParallelRecipeReader::readWhileThereIsWork()
{
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_workAdded.wait(lock, [this] {
                return m_walkDone || m_recipes.size() - m_nextUnclaimed >= claimSize;
            });
            if (m_walkDone && m_nextUnclaimed == m_recipes.size())
                return; // every file is claimed
        }
        readOneClaim();
    }
}

void ParallelRecipeReader::read(Recipe& recipe)
{
    // Only regular files are recipes, however large; a link named like a
    // recipe to a device or a FIFO is not one.
    SafeFile file(recipe.path, std::numeric_limits<qint64>::max());
    if (!file.isOpen())
        return;
    // Stamped as it is read when the walk did not look: what is kept is
    // then known to be what the file held.
    if (!recipe.stamp.isValid())
        recipe.stamp = FileStamp::ofStatus(file.fileStatus());
    // The listed ingredients come from the lines the parser reads, in the
    // same pass: each file is read once.
    IngredientSections::LineFollower sections;
    const auto eachLine = [&](QByteArrayView line) {
        if (!sections.follow(line) || recipe.listedNames.size() >= maxListedIngredients)
            return;
        if (auto reading = IngredientSections::readListed(line))
            recipe.listedNames.append(std::move(reading->name));
    };
    ParsedRecipe parsed = parseRecipe(&file.file(), eachLine);
    recipe.title = std::move(parsed.title);
    recipe.tags = std::move(parsed.tags);
    recipe.source = parsed.otherMeta.value(QStringLiteral("source")).value(0);
    recipe.ingredients.reserve(parsed.ingredients.size());
    for (Ingredient& ingredient : parsed.ingredients)
        recipe.ingredients.append(std::move(ingredient.ingredient));
    recipe.read = true;
}
