#include "collection/keptrecipewriter.h"

#include "collection/recipecache.h"

#include <system_error>
#include <utility>

namespace {

// Recipes written in one transaction: few enough that little waits in memory,
// enough that the transactions cost little beside the rows.
constexpr std::size_t batchSize = 2000;

} // namespace

KeptRecipeWriter::KeptRecipeWriter(RecipeCache& cache)
    : m_cache(cache)
{
    m_filling.reserve(batchSize);
    try {
        m_writer = std::thread([this] { writeWhileThereAreBatches(); });
    } catch (const std::system_error&) {
        // No thread: each batch is written by the adding thread as it fills.
    }
}

KeptRecipeWriter::~KeptRecipeWriter()
{
    finish();
}

void KeptRecipeWriter::add(ParallelRecipeReader::Recipe recipe)
{
    m_filling.push_back(std::move(recipe));
    if (m_filling.size() >= batchSize)
        handOver();
}

void KeptRecipeWriter::handOver()
{
    if (m_filling.empty())
        return;
    if (!m_writer.joinable()) {
        write(m_filling);
        m_filling.clear();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_batches.push_back(std::exchange(m_filling, {}));
    }
    m_filling.reserve(batchSize);
    m_batchAdded.notify_one();
}

void KeptRecipeWriter::finish()
{
    handOver();
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_finishing = true;
    }
    m_batchAdded.notify_one();
    if (m_writer.joinable())
        m_writer.join();
}

void KeptRecipeWriter::writeWhileThereAreBatches()
{
    for (;;) {
        Batch batch;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_batchAdded.wait(lock, [this] { return m_finishing || !m_batches.empty(); });
            if (m_batches.empty())
                return; // finishing, and everything is written
            batch = std::move(m_batches.front());
            m_batches.pop_front();
        }
        write(batch);
    }
}

void KeptRecipeWriter::write(const Batch& batch)
{
    std::vector<const ParallelRecipeReader::Recipe*> recipes;
    recipes.reserve(batch.size());
    for (const ParallelRecipeReader::Recipe& recipe : batch)
        recipes.push_back(&recipe);
    m_cache.store(recipes, {});
}
