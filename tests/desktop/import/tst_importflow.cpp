// Importing in the window: the import actions, the folder asked for
// and remembered, the worker's summary in the status bar and the report, the
// new recipe made active, dropped folders and the clipboard.
#include "import/importflow.h"
#include "import/importreportdialog.h"
#include "import/importsummary.h"
#include "import/recipeimportjob.h"
#include "mainwindow.h"
#include "support/desktoptesthelpers.h"

#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace testing;

namespace {

constexpr int timeout = 60000;

QByteArray page(const QString& title)
{
    return R"(<html><head><script type="application/ld+json">{"@type":"Recipe","name":")" +
           title.toUtf8() +
           R"(","recipeIngredient":["1 kg flour","2 eggs"],"recipeInstructions":"Mix."}</script>)"
           R"(</head><body></body></html>)";
}

QStringList recipeFilesIn(const QString& folder)
{
    return QDir(folder).entryList({"*.recipe.md"}, QDir::Files, QDir::Name);
}

} // namespace

class ImportFlowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> collection;
    std::unique_ptr<QTemporaryDir> downloads;
    QList<ImportSummary> reports;
    QStringList folderQuestions; // the start folder of each question

    std::unique_ptr<MainWindow> scannedWindow(const QString& answerFolder)
    {
        auto window = std::make_unique<MainWindow>();
        window->setImportFolderQuestion([this, answerFolder](const QString& start) {
            folderQuestions << start;
            return answerFolder;
        });
        window->setImportReport([this](const ImportSummary& summary) { reports << summary; });
        [&] {
            QTRY_COMPARE_WITH_TIMEOUT(statusText(*window), QString("Found 1 recipes"), timeout);
        }();
        return window;
    }

private slots:
    void initTestCase() { useTestIdentity(); }

    void init()
    {
        collection = std::make_unique<QTemporaryDir>();
        downloads = std::make_unique<QTemporaryDir>();
        QVERIFY(collection->isValid() && downloads->isValid());
        QVERIFY(!writeRecipe(collection->path(), "Old/old.recipe.md", "Old").isEmpty());
        QVERIFY(QDir(collection->path()).mkpath("Imported"));
        QSettings settings;
        settings.clear();
        settings.setValue("General/location", collection->path());
        reports.clear();
        folderQuestions.clear();
    }

    void importsFoldersAndReportsFilesWithoutRecipes()
    {
        QVERIFY(writeFile(downloads->filePath("saved/Bread.html"), page("Bread")));
        QVERIFY(writeFile(downloads->filePath("saved/deeper/Soup.htm"), page("Soup")));
        QVERIFY(writeFile(downloads->filePath("saved/About.html"), "<html><h1>About</h1></html>"));
        const QString target = collection->filePath("Imported");
        auto window = scannedWindow(target);
        window->setImportSourcesQuestion(
            [this] { return QStringList{downloads->filePath("saved")}; });
        windowAction(*window, "importAction")->trigger();

        QTRY_COMPARE_WITH_TIMEOUT(statusText(*window),
                                  QString("Imported 2 recipes; 1 file held none"), timeout);
        QCOMPARE(recipeFilesIn(target), (QStringList{"bread.recipe.md", "soup.recipe.md"}));
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports.first().problems.size(), 1);
        QCOMPARE(reports.first().problems.first().path, downloads->filePath("saved/About.html"));
        QCOMPARE(reports.first().problems.first().reason, QString("no recipe found"));
        // The collection is scanned again and the summary stays in view.
        QCOMPARE(folderQuestions, QStringList{collection->path()});
        QTRY_COMPARE_WITH_TIMEOUT(window->findChild<QDockWidget*>("Title")
                                      ->widget()
                                      ->findChild<QAbstractItemView*>()
                                      ->model()
                                      ->rowCount(),
                                  3, timeout);
        QCOMPARE(statusText(*window), QString("Imported 2 recipes; 1 file held none"));
    }

    void oneImportedRecipeBecomesActiveAndTheFolderIsRemembered()
    {
        QVERIFY(writeFile(downloads->filePath("Bread.html"), page("Bread")));
        const QString target = collection->filePath("Imported");
        {
            auto window = scannedWindow(target);
            window->setImportSourcesQuestion(
                [this] { return QStringList{downloads->filePath("Bread.html")}; });
            windowAction(*window, "importAction")->trigger();
            QTRY_COMPARE_WITH_TIMEOUT(statusText(*window), QString("Imported 1 recipe"), timeout);
            QVERIFY(shownText(*window).startsWith("Bread"));
            QVERIFY(reports.isEmpty());
            // The same page again is already in the cookbook: reported, not
            // written, until the user imports it anyway (never overwriting).
            windowAction(*window, "importAction")->trigger();
            QTRY_COMPARE_WITH_TIMEOUT(statusText(*window),
                                      QString("Imported 0 recipes; 1 already in the cookbook"),
                                      timeout);
            QCOMPARE(recipeFilesIn(target), QStringList{"bread.recipe.md"});
            QCOMPARE(reports.size(), 1);
            QCOMPARE(reports.first().alreadyThere.size(), 1);
            QCOMPARE(reports.first().alreadyThere.first().title, QString("Bread"));
        }
        QCOMPARE(folderQuestions, (QStringList{collection->path(), target}));
        // The new key lives in its own group; the collection's stays as it was.
        QSettings settings;
        QCOMPARE(settings.value("Import/folder").toString(), target);
        QCOMPARE(settings.value("General/location").toString(), collection->path());
    }

    void refusesFoldersOutsideTheCollectionAndCancelledQuestions_data()
    {
        QTest::addColumn<bool>("outside");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << false << "Cancelled";
        QTest::newRow("outside") << true << "Not a folder of the collection: %1";
    }

    void refusesFoldersOutsideTheCollectionAndCancelledQuestions()
    {
        QFETCH(bool, outside);
        QFETCH(QString, message);
        QVERIFY(writeFile(downloads->filePath("Bread.html"), page("Bread")));
        auto window = scannedWindow(outside ? downloads->path() : QString());
        window->setImportSourcesQuestion(
            [this] { return QStringList{downloads->filePath("Bread.html")}; });
        windowAction(*window, "importAction")->trigger();
        QCOMPARE(statusText(*window), message.arg(downloads->path()));
        QCOMPARE(QDir(downloads->path()).entryList(QDir::Files), QStringList{"Bread.html"});
    }

    void importsDroppedFiles()
    {
        QVERIFY(writeFile(downloads->filePath("Soup.html"), page("Soup")));
        const QString target = collection->filePath("Imported");
        auto window = scannedWindow(target);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(downloads->filePath("Soup.html"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
        QTRY_COMPARE_WITH_TIMEOUT(statusText(*window), QString("Imported 1 recipe"), timeout);
        QCOMPARE(recipeFilesIn(target), QStringList{"soup.recipe.md"});
    }

    void pastesRecipesFromTheClipboard()
    {
        const QString target = collection->filePath("Imported");
        auto window = scannedWindow(target);
        QGuiApplication::clipboard()->setText("Tea\n\nIngredients\n1 tea bag\n250 ml water\n\n"
                                              "Method\nSteep for 3 minutes.\n");
        windowAction(*window, "pasteRecipeAction")->trigger();
        QCOMPARE(statusText(*window), QString("Imported 1 recipe"));
        QCOMPARE(recipeFilesIn(target), QStringList{"tea.recipe.md"});
        QVERIFY(shownText(*window).startsWith("Tea"));

        QGuiApplication::clipboard()->setText("just a thought");
        windowAction(*window, "pasteRecipeAction")->trigger();
        QCOMPARE(statusText(*window), QString("No recipe in the clipboard"));
    }

    void aCancelledJobSaysHowFarItGot()
    {
        QVERIFY(writeFile(downloads->filePath("Bread.html"), page("Bread")));
        RecipeImportJob job({downloads->path()}, collection->filePath("Imported"));
        QSignalSpy finished(&job, &RecipeImportJob::finished);
        job.cancel();
        job.start();
        QVERIFY(finished.wait(timeout));
        const auto summary = finished.first().first().value<ImportSummary>();
        QVERIFY(summary.cancelled);
        QCOMPARE(summary.statusMessage(),
                 QString("Imported 0 recipes (cancelled after 0 of 1 file)"));
        QVERIFY(recipeFilesIn(collection->filePath("Imported")).isEmpty());
    }

    // The flow alone, before any scan: a recipe written by this import is
    // known at once, pasted or imported; importing anyway writes beside it.
    void recipesAlreadyThereAreImportedOnlyWhenAsked()
    {
        QWidget parent;
        ImportFlow flow(&parent);
        const QString target = collection->filePath("Imported");
        flow.setCollectionPath(collection->path());
        flow.setCookbook({}, {});
        flow.setFolderQuestion([target](const QString&) { return target; });
        QVERIFY(writeFile(downloads->filePath("Bread.html"), page("Bread")));
        QVERIFY(writeFile(downloads->filePath("Copy of Bread.html"), page("Bread")));
        flow.setSourcesQuestion([this] {
            return QStringList{downloads->filePath("Bread.html"),
                               downloads->filePath("Copy of Bread.html")};
        });
        flow.setReport([this](const ImportSummary& summary) { reports << summary; });
        QSignalSpy messages(&flow, &ImportFlow::message);
        flow.importChosenFiles();
        QTRY_VERIFY_WITH_TIMEOUT(!messages.isEmpty(), timeout);
        QCOMPARE(messages.last().first().toString(),
                 QString("Imported 1 recipe; 1 already in the cookbook"));
        QCOMPARE(recipeFilesIn(target), QStringList{"bread.recipe.md"});
        QCOMPARE(reports.size(), 1);

        ImportReportDialog dialog(reports.first());
        QCOMPARE(dialog.findChild<QTreeWidget*>("importProblemsList")->topLevelItem(0)->text(0),
                 QString("Already in the cookbook: Bread"));
        connect(&dialog, &ImportReportDialog::importAnywayRequested, &flow,
                [&] { flow.importAnyway(reports.first().alreadyThere); });
        dialog.findChild<QPushButton*>("importAnywayButton")->click();
        QCOMPARE(recipeFilesIn(target), (QStringList{"bread-2.recipe.md", "bread.recipe.md"}));
        QCOMPARE(messages.last().first().toString(), QString("Imported 1 recipe"));

        // Pasted once more: known by now, as the written files are.
        QGuiApplication::clipboard()->setText("Bread\n\nIngredients\n1 kg flour\n2 eggs\n\n"
                                              "Directions\nMix.");
        flow.pasteRecipe();
        QCOMPARE(recipeFilesIn(target).size(), 2);
    }

    void theReportListsEachFileAndWhy()
    {
        ImportSummary summary;
        summary.written = {"/c/a.recipe.md"};
        summary.problems = {{"/d/x.html", "no recipe found"},
                            {"/d/y.paprikarecipes", "damaged archive"}};
        ImportReportDialog dialog(summary);
        QCOMPARE(dialog.findChild<QLabel*>("importSummaryLabel")->text(),
                 QString("Imported 1 recipe; 2 files held none"));
        auto* list = dialog.findChild<QTreeWidget*>("importProblemsList");
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(0), QString("/d/y.paprikarecipes"));
        QCOMPARE(list->topLevelItem(1)->text(1), QString("damaged archive"));
    }
};

QTEST_MAIN(ImportFlowTest)
#include "tst_importflow.moc"
