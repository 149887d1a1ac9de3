#pragma once

#include "collection/parallelrecipereader.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class RecipeCache;

// Keeps the recipes a scan reads in a RecipeCache on a thread of its own, a
// batch at a time while the scan goes on: the scan neither waits for the
// writes nor holds every recipe it read until its end, which at 100,000
// recipes took more memory than the models themselves.
class KeptRecipeWriter
{
public:
    // `cache` is used by the writer alone until finish() returns.
    explicit KeptRecipeWriter(RecipeCache& cache);
    ~KeptRecipeWriter();
    KeptRecipeWriter(const KeptRecipeWriter&) = delete;
    KeptRecipeWriter& operator=(const KeptRecipeWriter&) = delete;

    void add(ParallelRecipeReader::Recipe recipe);
    // Returns once every recipe added is written (or could not be).
    void finish();

private:
    using Batch = std::vector<ParallelRecipeReader::Recipe>;

    void handOver();
    void writeWhileThereAreBatches();
    void write(const Batch& batch);

    RecipeCache& m_cache;
    Batch m_filling; // the adding thread's own
    std::mutex m_lock;
    std::condition_variable m_batchAdded;
    std::deque<Batch> m_batches;
    bool m_finishing = false;
    std::thread m_writer;
};
