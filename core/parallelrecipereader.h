#pragma once

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Reads and parses recipe files on several threads while the walk that finds
// them goes on. Files are handed in one at a time, in the walk's order; the
// results come back in that same order, so whatever is built from them is the
// same as from reading the files one after the other.
class ParallelRecipeReader
{
public:
    // What an index needs of one recipe file.
    struct Recipe
    {
        QString path;
        QString title;
        QStringList tags;
        QStringList ingredients; // names of the accepted ingredient lines, in file order
        bool read = false;       // false: the file could not be opened as a regular file
    };

    // `threads` readers besides the calling thread, which joins them in finish().
    explicit ParallelRecipeReader(int threads);
    ~ParallelRecipeReader();
    ParallelRecipeReader(const ParallelRecipeReader&) = delete;
    ParallelRecipeReader& operator=(const ParallelRecipeReader&) = delete;

    // The number of reader threads worth starting on this machine.
    static int idealThreads();

    void add(QString path);
    // Reads what is left with the calling thread's help, waits for the
    // readers and returns every recipe in the order added.
    std::deque<Recipe> finish();

private:
    void readWhileThereIsWork();
    static void read(Recipe& recipe);

    std::mutex m_lock;
    std::condition_variable m_workAdded;
    // A deque keeps every element in place as it grows, so readers fill the
    // recipes they claimed outside the lock while the walk appends more.
    std::deque<Recipe> m_recipes;
    std::size_t m_nextUnclaimed = 0;
    bool m_walkDone = false;
    std::vector<std::thread> m_readers;
};
