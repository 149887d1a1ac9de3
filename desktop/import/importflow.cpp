#include "import/importflow.h"

#include "import/importedrecipewriter.h"
#include "import/importreportdialog.h"
#include "import/importsettings.h"
#include "import/importsummary.h"
#include "import/recipeimporter.h"
#include "import/recipeimportjob.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>

ImportFlow::ImportFlow(QWidget* dialogParent)
    : m_dialogParent(dialogParent)
{
    setUpDialogs();
}

// The job waits for its thread when it goes.
ImportFlow::~ImportFlow() = default;

void ImportFlow::setUpDialogs()
{
    m_askForSources = [this] {
        return QFileDialog::getOpenFileNames(
            m_dialogParent, QStringLiteral("Import Recipes"),
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
            QStringLiteral("Recipes (*.html *.htm *.xhtml *.json *.paprikarecipes *.paprikarecipe "
                           "*.cook);;All files (*)"));
    };
    m_askForFolder = [this](const QString& startFolder) {
        return QFileDialog::getExistingDirectory(m_dialogParent,
                                                 QStringLiteral("Import Into Folder"), startFolder,
                                                 QFileDialog::ShowDirsOnly);
    };
    m_showReport = [this](const ImportSummary& summary) {
        auto* dialog = new ImportReportDialog(summary, m_dialogParent);
        connect(dialog, &ImportReportDialog::importAnywayRequested, this,
                [this, recipes = summary.alreadyThere] { importAnyway(recipes); });
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    };
}

QStringList ImportFlow::droppedPaths(const QMimeData* data) const
{
    QStringList paths;
    if (isRunning() || !data || !data->hasUrls())
        return paths;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void ImportFlow::importChosenFiles()
{
    importPaths(m_askForSources());
}

// The folder inside the collection that imported recipes go to, the last
// choice offered first; remembered when chosen.
QString ImportFlow::askFolder()
{
    const QString folder = m_askForFolder(ImportSettings::folder(m_collectionPath));
    if (folder.isEmpty()) {
        emit message(QStringLiteral("Cancelled"));
        return {};
    }
    if (!ImportSettings::isInside(folder, m_collectionPath) || !QFileInfo(folder).isDir()) {
        emit message(QStringLiteral("Not a folder of the collection: %1").arg(folder));
        return {};
    }
    ImportSettings::setFolder(folder);
    return folder;
}

void ImportFlow::importPaths(const QStringList& paths)
{
    if (isRunning())
        return;
    if (paths.isEmpty()) {
        emit message(QStringLiteral("Cancelled"));
        return;
    }
    const QString folder = askFolder();
    if (!folder.isEmpty())
        startJob(paths, folder);
}

void ImportFlow::setCookbook(const QHash<QString, QString>& titlesByPath,
                             const QHash<QString, QString>& sourcesByPath)
{
    m_known = KnownRecipes(titlesByPath, sourcesByPath);
}

void ImportFlow::startJob(const QStringList& paths, const QString& folder)
{
    m_lastFolder = folder;
    m_job = std::make_unique<RecipeImportJob>(paths, folder, m_known);
    showProgress();
    connect(m_job.get(), &RecipeImportJob::finished, this, [this](const ImportSummary& summary) {
        // The job's thread has emitted its last signal; the job is destroyed
        // once this handler has returned.
        m_job.release()->deleteLater();
        m_progress->deleteLater();
        m_progress = nullptr;
        finish(summary);
    });
    m_job->start();
}

void ImportFlow::showProgress()
{
    m_progress = new QProgressDialog(QStringLiteral("Importing recipes…"), QStringLiteral("Cancel"),
                                     0, 0, m_dialogParent);
    m_progress->setObjectName(QStringLiteral("importProgressDialog"));
    // Not modal: a modal dialog turns the event loop inside every progress
    // step, and the window stays usable (a second import waits its turn).
    m_progress->setMinimumDuration(300);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, m_job.get(), &RecipeImportJob::cancel);
    connect(m_job.get(), &RecipeImportJob::progress, m_progress,
            [progress = m_progress](int done, int total) {
                progress->setMaximum(total);
                progress->setValue(done);
            });
}

void ImportFlow::finish(const ImportSummary& summary)
{
    for (const QString& path : summary.written)
        m_known.addFile(path);
    const QString text = summary.statusMessage();
    emit message(text);
    if (!summary.written.isEmpty())
        emit recipesWritten(summary.written, text);
    if (!summary.problems.isEmpty() || !summary.alreadyThere.isEmpty())
        m_showReport(summary);
}

// One recipe is written at once, on this thread.
void ImportFlow::pasteRecipe()
{
    if (isRunning())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QList<ImportedRecipe> recipes =
        data ? RecipeImporter::importClipboard(data->hasHtml() ? data->html() : QString(),
                                               data->text())
             : QList<ImportedRecipe>();
    if (recipes.isEmpty()) {
        emit message(QStringLiteral("No recipe in the clipboard"));
        return;
    }
    const QString folder = askFolder();
    if (folder.isEmpty())
        return;
    m_lastFolder = folder;
    ImportSummary summary;
    write(recipes, folder, true, summary);
    summary.filesRead = summary.filesTotal = 1;
    finish(summary);
}

void ImportFlow::importAnyway(const QList<ImportedRecipe>& recipes)
{
    if (isRunning() || m_lastFolder.isEmpty() || recipes.isEmpty())
        return;
    ImportSummary summary;
    write(recipes, m_lastFolder, false, summary);
    finish(summary);
}

void ImportFlow::write(const QList<ImportedRecipe>& recipes, const QString& folder, bool skipKnown,
                       ImportSummary& summary)
{
    const ImportedRecipeWriter writer(folder);
    for (const ImportedRecipe& recipe : recipes) {
        if (skipKnown && !m_known.find(recipe).isEmpty()) {
            summary.alreadyThere.append(recipe);
            continue;
        }
        QString error;
        const QString path = writer.write(recipe, &error);
        // Pasted recipes come from the clipboard; those imported anyway are
        // named by their title.
        if (path.isEmpty())
            summary.problems.append({skipKnown ? QStringLiteral("clipboard") : recipe.title,
                                     QStringLiteral("not written: %1").arg(error)});
        else
            summary.written.append(path);
    }
}
