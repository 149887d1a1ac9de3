#pragma once

#include "import/knownrecipes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct ImportSummary;
struct ImportedRecipe;
class QMimeData;
class QProgressDialog;
class QWidget;
class RecipeImportJob;

// Importing recipes into the collection from the desktop: the files and
// folders chosen, dropped or pasted, the folder of the collection they go to,
// the job on its worker with its progress, and the report of what gave no
// recipe. One import at a time; the window only forwards its actions and
// drops and shows what the flow announces.
class ImportFlow : public QObject
{
    Q_OBJECT
public:
    // Asks for the files and folders to import; empty when cancelled.
    using PathsQuestion = std::function<QStringList()>;
    // Asks for the folder inside the collection that imported recipes go to,
    // starting at the given one; empty when cancelled.
    using FolderQuestion = std::function<QString(const QString& startFolder)>;
    // Shows which files of an import gave no recipe, and why.
    using ImportReport = std::function<void(const ImportSummary& summary)>;

    // Dialogs open over `dialogParent`, which outlives the flow.
    explicit ImportFlow(QWidget* dialogParent);
    ~ImportFlow() override;

    void setCollectionPath(const QString& path) { m_collectionPath = path; }
    void setSourcesQuestion(PathsQuestion question) { m_askForSources = std::move(question); }
    void setFolderQuestion(FolderQuestion question) { m_askForFolder = std::move(question); }
    void setReport(ImportReport report) { m_showReport = std::move(report); }
    // What the scan found in the collection (title and source by path): an
    // imported recipe already there is not written again.
    void setCookbook(const QHash<QString, QString>& titlesByPath,
                     const QHash<QString, QString>& sourcesByPath);

    bool isRunning() const { return m_job != nullptr; }
    // Local files among dragged or dropped data; empty while an import runs.
    QStringList droppedPaths(const QMimeData* data) const;

public slots:
    void importChosenFiles();
    void importPaths(const QStringList& paths);
    // The clipboard's recipe: its HTML read as a page, else its text read as
    // a recipe written by a person.
    void pasteRecipe();
    // Writes recipes an import left out as already in the cookbook, into the
    // folder that import went to.
    void importAnyway(const QList<ImportedRecipe>& recipes);

signals:
    // Something to tell the user in the status bar.
    void message(const QString& text);
    // An import ended having written recipes; `message` says how it went.
    void recipesWritten(const QStringList& paths, const QString& message);

private:
    void setUpDialogs();
    QString askFolder();
    void startJob(const QStringList& paths, const QString& folder);
    void showProgress();
    void finish(const ImportSummary& summary);
    void write(const QList<ImportedRecipe>& recipes, const QString& folder, bool skipKnown,
               ImportSummary& summary);

    QWidget* m_dialogParent; // not owned
    QString m_collectionPath;
    PathsQuestion m_askForSources;
    FolderQuestion m_askForFolder;
    ImportReport m_showReport;
    KnownRecipes m_known;
    QString m_lastFolder; // where the last import went
    std::unique_ptr<RecipeImportJob> m_job;
    QProgressDialog* m_progress = nullptr; // a child of the dialog parent while an import runs
};
