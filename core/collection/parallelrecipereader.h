#pragma once

#include "collection/filestamp.h"

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Reads and parses recipe files on several threads while the walk that finds
// them goes on. Files are handed in one at a time, in the walk's order, and
// their results are taken back in that same order as soon as they are ready,
// so whatever is built from them is the same as from reading the files one
// after the other, and only the files in flight are held at any moment.
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
        QStringList listedNames; // names of every listed ingredient, read as people write them
        FileStamp stamp;         // as found by the walk, when it looked
        bool read = false;       // false: the file could not be opened as a regular file
        bool done = false;       // read or refused; set under the lock
        QString source;          // the "source:" metadata, where the recipe came from
    };

    // `threads` readers besides the calling thread, which helps in takeAll().
    explicit ParallelRecipeReader(int threads);
    ~ParallelRecipeReader();
    ParallelRecipeReader(const ParallelRecipeReader&) = delete;
    ParallelRecipeReader& operator=(const ParallelRecipeReader&) = delete;

    // The number of reader threads worth starting on this machine.
    static int idealThreads();

    void add(QString path, FileStamp stamp = {});
    // Moves the recipes at the front that are done into `ready`, without waiting.
    void takeReady(std::vector<Recipe>& ready);
    // After the last add(): reads with the calling thread's help and hands
    // every remaining recipe to `consume` in order, as each becomes ready.
    template<typename Consume>
    void takeAll(Consume consume)
    {
        endOfWalk();
        std::vector<Recipe> ready;
        while (!allTaken()) {
            if (!readOneClaim())
                waitForReady();
            takeReady(ready);
            for (Recipe& recipe : ready)
                consume(recipe);
            ready.clear();
        }
    }

private:
    void endOfWalk();
    bool allTaken();
    void waitForReady();
    bool readOneClaim();
    void readWhileThereIsWork();
    static void read(Recipe& recipe);

    std::mutex m_lock;
    std::condition_variable m_workAdded;
    std::condition_variable m_workDone;
    // A deque keeps every element in place as it grows and shrinks at its
    // ends, so readers fill the recipes they claimed outside the lock while
    // the walk appends more and finished ones are taken from the front.
    std::deque<Recipe> m_recipes;
    std::size_t m_nextUnclaimed = 0; // index into m_recipes
    bool m_walkDone = false;
    std::vector<std::thread> m_readers;
};
