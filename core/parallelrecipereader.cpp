#include "parallelrecipereader.h"

#include "recipeparser.h"
#include "safefile.h"

#include <algorithm>
#include <limits>

namespace {

// Files claimed at once: few enough to share the work evenly, enough that
// the lock is not taken for every file.
constexpr std::size_t claimSize = 16;

} // namespace

ParallelRecipeReader::ParallelRecipeReader(int threads)
{
    for (int i = 0; i < threads; ++i) {
        try {
            m_readers.emplace_back([this] { readWhileThereIsWork(); });
        } catch (const std::system_error&) {
            break; // fewer readers; the calling thread reads the rest in finish()
        }
    }
}

ParallelRecipeReader::~ParallelRecipeReader()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_walkDone = true;
    }
    m_workAdded.notify_all();
    for (std::thread& reader : m_readers)
        if (reader.joinable())
            reader.join();
}

int ParallelRecipeReader::idealThreads()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void ParallelRecipeReader::add(QString path)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_recipes.push_back(Recipe{std::move(path), {}, {}, {}, false});
        if (m_recipes.size() - m_nextUnclaimed < claimSize)
            return; // not a full claim yet: readers would take one file at a time
    }
    m_workAdded.notify_one();
}

std::deque<ParallelRecipeReader::Recipe> ParallelRecipeReader::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_walkDone = true;
    }
    m_workAdded.notify_all();
    readWhileThereIsWork();
    for (std::thread& reader : m_readers)
        reader.join();
    m_readers.clear();
    return std::move(m_recipes);
}

void ParallelRecipeReader::readWhileThereIsWork()
{
    std::vector<Recipe*> claimed;
    claimed.reserve(claimSize);
    for (;;) {
        claimed.clear();
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_workAdded.wait(lock, [this] {
                return m_walkDone || m_recipes.size() - m_nextUnclaimed >= claimSize;
            });
            if (m_nextUnclaimed == m_recipes.size())
                return; // the walk is done and every file is claimed
            const std::size_t end = std::min(m_recipes.size(), m_nextUnclaimed + claimSize);
            // Indexing walks the deque's map, which add() may be growing, so
            // the addresses are taken here; the recipes stay where they are.
            for (; m_nextUnclaimed < end; ++m_nextUnclaimed)
                claimed.push_back(&m_recipes[m_nextUnclaimed]);
        }
        for (Recipe* recipe : claimed)
            read(*recipe);
    }
}

void ParallelRecipeReader::read(Recipe& recipe)
{
    // Only regular files are recipes, however large; a link named like a
    // recipe to a device or a FIFO is not one.
    SafeFile file(recipe.path, std::numeric_limits<qint64>::max());
    if (!file.isOpen())
        return;
    ParsedRecipe parsed = parseRecipe(&file.file());
    recipe.title = std::move(parsed.title);
    recipe.tags = std::move(parsed.tags);
    recipe.ingredients.reserve(parsed.ingredients.size());
    for (Ingredient& ingredient : parsed.ingredients)
        recipe.ingredients.append(std::move(ingredient.ingredient));
    recipe.read = true;
}
