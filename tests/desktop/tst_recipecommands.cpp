#include "mainwindow.h"
#include "support/desktoptesthelpers.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QDockWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using namespace testing;

namespace {

constexpr int scanTimeout = 60000;

// Receives what the desktop would open with its default handler.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;

public slots:
    void openFile(const QUrl& url) { urls.append(url); }
};

} // namespace

class RecipeCommandsTest : public QObject
{
    Q_OBJECT

private:
    // A folder put first on the search path, holding fake editors that note
    // their own name, their argument count and their first argument.
    void installEditors(const QStringList& names)
    {
        for (const QString& name : names) {
            const QString script = editors->filePath(name);
            const QByteArray text =
                "#!/bin/sh\nprintf '%s|%s|%s\\n' \"${0##*/}\" \"$#\" \"$1\" >> '" +
                QFile::encodeName(logPath()) + "'\n";
            QVERIFY(writeFile(script, text));
            QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
        }
    }

    QString logPath() const { return editors->filePath(QStringLiteral("editor.log")); }

    QStringList editorCalls() const
    {
        QFile log(logPath());
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // A window on a collection of one recipe, scanned, with that recipe made
    // the active one.
    std::unique_ptr<MainWindow> windowWithActiveRecipe()
    {
        auto window = std::make_unique<MainWindow>();
        [&] {
            QTRY_COMPARE_WITH_TIMEOUT(statusText(*window), QStringLiteral("Found 1 recipe"),
                                      scanTimeout);
            windowAction(*window, QStringLiteral("randomRecipeAction"))->trigger();
            QVERIFY(shownText(*window).startsWith(QStringLiteral("Only One")));
        }();
        return window;
    }

    std::unique_ptr<QTemporaryDir> collection;
    std::unique_ptr<QTemporaryDir> editors;
    QString onlyRecipe;
    QByteArray savedPath;

private slots:
    void initTestCase()
    {
        useTestIdentity();
        savedPath = qgetenv("PATH");
    }

    void init()
    {
        collection = std::make_unique<QTemporaryDir>();
        editors = std::make_unique<QTemporaryDir>();
        QVERIFY(collection->isValid() && editors->isValid());
        // Only the fake editors are found: the shell they run in is named by
        // its full path.
        qputenv("PATH", QFile::encodeName(editors->path()));
        onlyRecipe = writeRecipe(collection->path(), QStringLiteral("Mains/Only One.recipe.md"),
                                 QStringLiteral("Only One"));
        QVERIFY(!onlyRecipe.isEmpty());
        QSettings settings;
        settings.clear();
        settings.setValue(QStringLiteral("General/location"), collection->path());
    }

    void cleanup() { qputenv("PATH", savedPath); }

    void theFirstEditorFoundReceivesThePath_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all six") << QStringList({"gvim", "atom", "notepad++", "gedit", "quillwrite",
                                                 "scribepad"})
                                 << "scribepad";
        QTest::newRow("second") << QStringList({"quillwrite", "gvim"}) << "quillwrite";
        QTest::newRow("third") << QStringList({"gedit", "atom"}) << "gedit";
        QTest::newRow("fourth") << QStringList({"notepad++", "gvim"}) << "notepad++";
        QTest::newRow("fifth") << QStringList({"atom"}) << "atom";
        QTest::newRow("last") << QStringList({"gvim", "vi", "nano"}) << "gvim";
    }

    void theFirstEditorFoundReceivesThePath()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, expected);
        installEditors(installed);
        auto window = windowWithActiveRecipe();
        windowAction(*window, QStringLiteral("editRecipeAction"))->trigger();
        QTRY_COMPARE(editorCalls(), QStringList({expected + "|1|" + onlyRecipe}));
    }

    void withoutAnEditorTheDesktopOpensTheFile()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "openFile");
        auto window = windowWithActiveRecipe();
        windowAction(*window, QStringLiteral("editRecipeAction"))->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(onlyRecipe)}));
    }

    void editingNeedsAnExistingActiveRecipe()
    {
        installEditors({QStringLiteral("scribepad")});
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipe"),
                                  scanTimeout);
        QAction* edit = windowAction(window, QStringLiteral("editRecipeAction"));
        edit->trigger(); // no active recipe

        windowAction(window, QStringLiteral("randomRecipeAction"))->trigger();
        const QByteArray text = [&] {
            QFile file(onlyRecipe);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QVERIFY(QFile::remove(onlyRecipe));
        QTRY_VERIFY(shownText(window).startsWith(QStringLiteral("Saltrove")));
        edit->trigger(); // the active recipe is gone

        // Once the recipe is back, the editor is started: exactly once.
        QVERIFY(writeFile(onlyRecipe, text));
        windowAction(window, QStringLiteral("randomRecipeAction"))->trigger();
        edit->trigger();
        QTRY_VERIFY(!editorCalls().isEmpty());
        QCOMPARE(editorCalls(), QStringList({"scribepad|1|" + onlyRecipe}));
    }

    void aFollowedLinkLeavesTheActiveRecipeAlone()
    {
        installEditors({QStringLiteral("scribepad")});
        QVERIFY(writeFile(onlyRecipe, "# Only One\n\nWith [a sauce](Sauces/Gravy.md).\n"));
        QVERIFY(writeFile(collection->filePath(QStringLiteral("Sauces/Gravy.md")), "# Gravy\n"));
        auto window = windowWithActiveRecipe();
        auto* browser = window->centralWidget()->findChild<QTextBrowser*>();
        emit browser->anchorClicked(QUrl(QStringLiteral("Sauces/Gravy.md")));
        QVERIFY(shownText(*window).startsWith(QStringLiteral("Gravy")));
        windowAction(*window, QStringLiteral("editRecipeAction"))->trigger();
        QTRY_COMPARE(editorCalls(), QStringList({"scribepad|1|" + onlyRecipe}));
    }

    void aNewRecipeIsACopyOfTheTemplate()
    {
        installEditors({QStringLiteral("scribepad")});
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 1 recipe"),
                                  scanTimeout);
        const QString name = collection->filePath(QStringLiteral("Mains/Fresh Dish.recipe.md"));
        window.setNewRecipeQuestion([name] { return name; });
        windowAction(window, QStringLiteral("newRecipeAction"))->trigger();

        QFile copy(name);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QFile templ(QStringLiteral(":/docs/template.md"));
        QVERIFY(templ.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), templ.readAll());
        QVERIFY(QFileInfo(name).permissions() & QFileDevice::WriteOwner);
        QVERIFY(shownText(window).startsWith(QStringLiteral("Recipe title")));
        QTRY_COMPARE(editorCalls(), QStringList({"scribepad|1|" + name}));

        // It joins the indexes with the next scan.
        QCOMPARE(window.findChild<QDockWidget*>(QStringLiteral("Title"))
                     ->widget()
                     ->findChild<QAbstractItemView*>()
                     ->model()
                     ->rowCount(),
                 1);
        windowAction(window, QStringLiteral("reloadCollectionAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(statusText(window), QStringLiteral("Found 2 recipes"),
                                  scanTimeout);
    }

    void anExistingFileIsNeverOverwritten()
    {
        installEditors({QStringLiteral("scribepad")});
        MainWindow window;
        QByteArray original = "# Grandmother's Stew\n\nDo not touch.\n";
        QVERIFY(writeFile(onlyRecipe, original));
        window.setNewRecipeQuestion([this] { return onlyRecipe; });
        windowAction(window, QStringLiteral("newRecipeAction"))->trigger();
        QVERIFY(shownText(window).startsWith(QStringLiteral("Grandmother's Stew")));
        QTRY_COMPARE(editorCalls(), QStringList({"scribepad|1|" + onlyRecipe}));
        QFile file(onlyRecipe);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), original);
    }

    void namesWithoutTheSuffixAreCancelled_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("dialog cancelled") << QString();
        QTest::newRow("plain markdown") << "soup.md";
        QTest::newRow("suffix in capitals") << "Soup.RECIPE.MD";
        QTest::newRow("suffix not at the end") << "soup.recipe.md.bak";
        QTest::newRow("no suffix at all") << "soup";
    }

    void namesWithoutTheSuffixAreCancelled()
    {
        QFETCH(QString, fileName);
        installEditors({QStringLiteral("scribepad")});
        MainWindow window;
        const QString name = fileName.isEmpty() ? QString() : collection->filePath(fileName);
        window.setNewRecipeQuestion([name] { return name; });
        const QStringList before = QDir(collection->path()).entryList(QDir::AllEntries);
        windowAction(window, QStringLiteral("newRecipeAction"))->trigger();
        QCOMPARE(statusText(window), QStringLiteral("Cancelled"));
        QCOMPARE(QDir(collection->path()).entryList(QDir::AllEntries), before);
        QVERIFY(shownText(window).startsWith(QStringLiteral("Saltrove")));
    }

    void aRecipeThatCannotBeCreatedIsReported()
    {
        installEditors({QStringLiteral("scribepad")});
        auto window = windowWithActiveRecipe();
        // No folder of that name exists, so the copy fails even for root.
        const QString name = collection->filePath(QStringLiteral("No Such Folder/new.recipe.md"));
        window->setNewRecipeQuestion([name] { return name; });
        windowAction(*window, QStringLiteral("newRecipeAction"))->trigger();
        QCOMPARE(statusText(*window), "Could not create " + name);
        QVERIFY(!QFile::exists(name));
        QVERIFY(shownText(*window).startsWith(QStringLiteral("Only One")));

        // The active recipe is still the one to edit, and no editor was
        // started for the name that failed.
        windowAction(*window, QStringLiteral("editRecipeAction"))->trigger();
        QTRY_VERIFY(!editorCalls().isEmpty());
        QCOMPARE(editorCalls(), QStringList({"scribepad|1|" + onlyRecipe}));
    }

    void aRandomRecipeNeedsAScannedRecipe()
    {
        {
            auto window = windowWithActiveRecipe();
            for (int i = 0; i < 5; ++i) {
                windowAction(*window, QStringLiteral("randomRecipeAction"))->trigger();
                QVERIFY(shownText(*window).startsWith(QStringLiteral("Only One")));
            }
        }
        QSettings().setValue(QStringLiteral("General/location"), QString());
        MainWindow window;
        windowAction(window, QStringLiteral("randomRecipeAction"))->trigger();
        QCOMPARE(statusText(window), QStringLiteral("No recipe!"));
        QVERIFY(shownText(window).startsWith(QStringLiteral("Saltrove")));
    }
};

QTEST_MAIN(RecipeCommandsTest)
#include "tst_recipecommands.moc"
