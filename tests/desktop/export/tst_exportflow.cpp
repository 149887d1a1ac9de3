// Exporting from the window: the recipe shown or the titles chosen, in the
// form and to the place the (stubbed) file dialog answers.
#include "browse/listpane.h"
#include "export/exportflow.h"
#include "mainwindow.h"
#include "support/desktoptesthelpers.h"
#include "support/recipefiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListView>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace testing;

namespace {

constexpr int timeout = 60000;

} // namespace

class ExportFlowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> collection;
    std::unique_ptr<QTemporaryDir> out;

    std::unique_ptr<MainWindow> scannedWindow()
    {
        auto window = std::make_unique<MainWindow>();
        [&] {
            QTRY_COMPARE_WITH_TIMEOUT(statusText(*window), QString("Found 2 recipes"), timeout);
        }();
        return window;
    }

    static QListView* titleList(const MainWindow& window)
    {
        return dockPane<ListPane>(window, "Title")->findChild<QListView*>();
    }

private slots:
    void initTestCase() { useTestIdentity(); }

    void init()
    {
        collection = std::make_unique<QTemporaryDir>();
        out = std::make_unique<QTemporaryDir>();
        QVERIFY(
            !writeRecipe(collection->path(), "a.recipe.md", "Apfelkuchen", {"Kuchen"}, {"Äpfel"})
                 .isEmpty());
        QVERIFY(!writeRecipe(collection->path(), "b.recipe.md", "Bún chả", {}, {"pork"}).isEmpty());
        QSettings settings;
        settings.clear();
        settings.setValue("General/location", collection->path());
    }

    void exportsWhatIsChosen_data()
    {
        QTest::addColumn<int>("chosenRows"); // 1: the first title shown, 2: both titles chosen
        QTest::addColumn<ExportFlow::Format>("format");
        QTest::addColumn<QString>("answer"); // file name in the output folder; empty: cancel
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("status");
        QTest::newRow("one as HTML") << 1 << ExportFlow::Format::Html << "page.html"
                                     << QStringList{"page.html"} << "Exported 1 recipes";
        QTest::newRow("one as PDF") << 1 << ExportFlow::Format::Pdf << "print.pdf"
                                    << QStringList{"print.pdf"} << "Exported 1 recipes";
        QTest::newRow("one as JSON-LD") << 1 << ExportFlow::Format::JsonLd << "r.json"
                                        << QStringList{"r.json"} << "Exported 1 recipes";
        QTest::newRow("two as one JSON-LD array")
            << 2 << ExportFlow::Format::JsonLd << "both.json" << QStringList{"both.json"}
            << "Exported 2 recipes";
        QTest::newRow("two as a page each")
            << 2 << ExportFlow::Format::Html << "ignored.html" << QStringList{"a.html", "b.html"}
            << "Exported 2 recipes";
        QTest::newRow("cancelled")
            << 1 << ExportFlow::Format::Html << "" << QStringList{} << "Cancelled";
    }

    void exportsWhatIsChosen()
    {
        QFETCH(int, chosenRows);
        QFETCH(ExportFlow::Format, format);
        QFETCH(QString, answer);
        QFETCH(QStringList, files);
        QFETCH(QString, status);

        auto window = scannedWindow();
        window->show();
        QListView* list = titleList(*window);
        QTRY_COMPARE(list->model()->rowCount(), 2);
        const QModelIndex first = list->model()->index(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(first).center());
        QTRY_VERIFY(shownText(*window).startsWith("Apfelkuchen"));
        if (chosenRows == 2)
            list->selectionModel()->select(list->model()->index(1, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QStringList suggestions;
        window->setExportDestinationQuestion(
            [&](const QString& suggested, ExportFlow::Format* chosen) {
                suggestions << suggested;
                *chosen = format;
                return answer.isEmpty() ? QString() : out->filePath(answer);
            });
        windowAction(*window, "exportAction")->trigger();

        QCOMPARE(statusText(*window), status);
        QCOMPARE(suggestions.size(), 1);
        QVERIFY(suggestions.first().endsWith("/a.html"));
        QCOMPARE(QDir(out->path()).entryList(QDir::Files, QDir::Name), files);
        if (files.isEmpty())
            return;
        QFile written(out->filePath(files.first()));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        switch (format) {
        case ExportFlow::Format::Html:
            QVERIFY(bytes.contains("<script type=\"application/ld+json\">"));
            QVERIFY(bytes.contains("Apfelkuchen"));
            break;
        case ExportFlow::Format::Pdf:
            QVERIFY(bytes.startsWith("%PDF-"));
            break;
        case ExportFlow::Format::JsonLd: {
            const QJsonDocument json = QJsonDocument::fromJson(bytes);
            const QJsonArray recipes = json.isArray() ? json.array() : QJsonArray{json.object()};
            QCOMPARE(recipes.size(), chosenRows);
            QCOMPARE(recipes.first().toObject().value("name").toString(), QString("Apfelkuchen"));
            if (chosenRows == 2)
                QCOMPARE(recipes.last().toObject().value("name").toString(), QString("Bún chả"));
            break;
        }
        }
    }

    void withoutARecipeNothingIsAsked()
    {
        auto window = scannedWindow();
        bool asked = false;
        window->setExportDestinationQuestion([&](const QString&, ExportFlow::Format*) {
            asked = true;
            return out->filePath("x.html");
        });
        windowAction(*window, "exportAction")->trigger();
        QVERIFY(!asked);
        QCOMPARE(statusText(*window), QString("No recipe to export"));
    }
};

QTEST_MAIN(ExportFlowTest)
#include "tst_exportflow.moc"
