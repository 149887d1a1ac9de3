#pragma once

#include "import/importsummary.h"
#include "import/knownrecipes.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

// Imports files and folders into one folder on a thread of its own: every
// recipe each file holds is written there as a new file. The job itself lives
// on the thread that made it, which receives its signals; cancel() stops it
// after the file in hand, and what was written stays.
class RecipeImportJob : public QObject
{
    Q_OBJECT
public:
    // Recipes `known` holds are left unwritten and reported.
    RecipeImportJob(QStringList sources, QString targetFolder, KnownRecipes known = {});
    ~RecipeImportJob() override; // cancels and waits for the thread

    void start();
    void cancel();
    bool isRunning() const;

signals:
    // `done` of `total` files looked at; total is 0 while folders are searched.
    void progress(int done, int total);
    void finished(const ImportSummary& summary);

private:
    ImportSummary run();

    const QStringList m_sources;
    const QString m_targetFolder;
    KnownRecipes m_known; // used on the job's thread only
    std::atomic<bool> m_cancelled{false};
    std::unique_ptr<QThread> m_thread;
};
