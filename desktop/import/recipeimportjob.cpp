#include "import/recipeimportjob.h"

#include "import/importedrecipewriter.h"
#include "import/recipeimporter.h"

#include <QThread>

RecipeImportJob::RecipeImportJob(QStringList sources, QString targetFolder, KnownRecipes known)
    : m_sources(std::move(sources))
    , m_targetFolder(std::move(targetFolder))
    , m_known(std::move(known))
{
    qRegisterMetaType<ImportSummary>();
}

RecipeImportJob::~RecipeImportJob()
{
    cancel();
    if (m_thread)
        m_thread->wait();
}

void RecipeImportJob::start()
{
    if (m_thread)
        return;
    m_thread.reset(QThread::create([this] {
        const ImportSummary summary = run();
        // Emitted from the worker thread: receivers on the job's own thread
        // get it through their event loop.
        emit finished(summary);
    }));
    m_thread->start();
}

void RecipeImportJob::cancel()
{
    m_cancelled = true;
}

bool RecipeImportJob::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

ImportSummary RecipeImportJob::run()
{
    ImportSummary summary;
    emit progress(0, 0);
    const QStringList files = RecipeImporter::filesIn(m_sources);
    summary.filesTotal = int(files.size());
    const ImportedRecipeWriter writer(m_targetFolder);
    for (const QString& file : files) {
        if (m_cancelled) {
            summary.cancelled = true;
            break;
        }
        const RecipeImporter::Result result = RecipeImporter::importFile(file);
        if (result.recipes.isEmpty())
            summary.problems.append({file, result.problem});
        for (const ImportedRecipe& recipe : result.recipes) {
            if (!m_known.find(recipe).isEmpty()) {
                summary.alreadyThere.append(recipe);
                continue;
            }
            QString error;
            const QString path = writer.write(recipe, &error);
            if (path.isEmpty())
                summary.problems.append({file, QStringLiteral("not written: %1").arg(error)});
            else
                summary.written.append(path);
            if (!path.isEmpty())
                m_known.addFile(path); // the same page twice in one import
        }
        ++summary.filesRead;
        emit progress(summary.filesRead, summary.filesTotal);
    }
    return summary;
}
