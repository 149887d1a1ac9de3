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

void ImportFlow::startJob(const QStringList& paths, const QString& folder)
{
    m_job = std::make_unique<RecipeImportJob>(paths, folder);
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
    const QString text = summary.statusMessage();
    emit message(text);
    if (!summary.written.isEmpty())
        emit recipesWritten(summary.written, text);
    if (!summary.problems.isEmpty())
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
    ImportSummary summary;
    const ImportedRecipeWriter writer(folder);
    for (const ImportedRecipe& recipe : recipes) {
        QString error;
        const QString path = writer.write(recipe, &error);
        if (path.isEmpty())
            summary.problems.append(
                {QStringLiteral("clipboard"), QStringLiteral("not written: %1").arg(error)});
        else
            summary.written.append(path);
    }
    summary.filesRead = summary.filesTotal = 1;
    finish(summary);
}
