// The touch program's Find page and the shopping list file, measured:
//
//   saltrove_shopbench [--sizes 10000] [--repeat 5] [--work DIR]
//
// Find: a query through RecipeSearch (the page's object) from the text given
// to the results shown, and the longest time the GUI thread's event loop does
// not turn while a query is typed a key every 80 ms. The list file: reading
// it again after another device changed it, and writing it after a tick, with
// 20 recipes and 200 rows.

#include "benchsupport.h"
#include "collection/scanner.h"
#include "browse/scanneradapter.h"
#include "search/recipesearch.h"
#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppingliststore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void pause(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

struct FindFigures
{
    int recipes = 0;
    double queryMedian = 0;
    double queryMax = 0;
    double stallMax = 0;
};

bool answered(const RecipeSearch& search)
{
    const QString status = search.status();
    return (status.endsWith(QLatin1String(" recipes")) || status == QLatin1String("1 recipe")) &&
           !status.startsWith(QLatin1String("Reading"));
}

FindFigures measureFind(const QString& root, const BenchOptions& options)
{
    FindFigures figures;
    ScannerAdapter adapter;
    bool scanned = false;
    QObject::connect(adapter.scanner(), &Scanner::dataUpdated, &adapter, [&] { scanned = true; });
    // The adapter starts on the remembered folder; a scan requested while
    // that one runs is dropped, so the chosen folder is scanned once more.
    waitFor([&] { return scanned; });
    adapter.setRootPath(root);
    scanned = false;
    adapter.refresh();
    waitFor([&] { return scanned; });
    figures.recipes = adapter.scanner()->titleModel()->rowCount();

    RecipeSearch search;
    search.setScanner(adapter.scanner());
    // The index is built in the background once; queries are measured after.
    search.setText(QStringLiteral("soup"));
    waitFor([&] { return answered(search); });

    const QStringList queries = {QStringLiteral("soup"), commonIngredient(),
                                 QStringLiteral("smoked paprika"), QStringLiteral("quick dinner"),
                                 QStringLiteral("garlic")};
    QList<double> asked;
    for (int round = 0; round < options.repeat; ++round) {
        for (const QString& query : queries) {
            search.setText(QString());
            QElapsedTimer timer;
            timer.start();
            search.setText(query);
            search.findNow();
            waitFor([&] { return answered(search); });
            QCoreApplication::processEvents();
            asked << milliseconds(timer);
            if (round == 0)
                progress() << query << ": " << search.status() << Qt::endl;
        }
    }
    figures.queryMedian = median(asked);
    figures.queryMax = *std::max_element(asked.cbegin(), asked.cend());

    // A quick typist, with an ingredient chosen as well.
    search.chooseIngredient(commonIngredient());
    for (int round = 0; round < options.repeat; ++round) {
        search.setText(QString());
        pause(100);
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        clock.start();
        ticker.start();
        const QString typed = QStringLiteral("smoked soup");
        for (int i = 1; i <= typed.size(); ++i) {
            pause(80);
            search.setText(typed.left(i));
        }
        waitFor([&] { return answered(search); });
        pause(200);
        figures.stallMax = std::max(figures.stallMax, double(longest) / 1e6);
    }
    return figures;
}

bool writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

struct FileFigures
{
    int recipes = 0;
    int rows = 0;
    qint64 bytes = 0;
    double readMedian = 0;
    double readMax = 0;
    double writeMedian = 0;
    double writeMax = 0;
};

// 20 recipes of 10 ingredients each, no name shared: 200 rows.
FileFigures measureFile(const BenchOptions& options)
{
    FileFigures figures;
    QTemporaryDir book;
    ShoppingListStore store;
    store.setCollectionPath(book.path());
    for (int r = 0; r < 20; ++r) {
        QByteArray text = "# Recipe " + QByteArray::number(r) + "\n\n### Ingredients\n\n";
        for (int i = 0; i < 10; ++i)
            text += " * " + QByteArray::number(i + 1) + "00 g ingredient " +
                    QByteArray::number(r * 10 + i) + "\n";
        text += "\n### Directions\n\nCook.\n";
        const QString path =
            book.filePath(QStringLiteral("Folder %1/recipe number %1.recipe.md").arg(r));
        writeText(path, text);
        store.addRecipe(ShoppingIngredientReader::read(path));
    }
    const QList<ShoppingItem> items = store.items();
    figures.recipes = store.list().size();
    figures.rows = int(items.size() + store.handRows().size());

    ShoppingListStore other; // another device
    other.setCollectionPath(book.path());
    QList<double> reads;
    QList<double> writes;
    const int rounds = std::max(20, options.repeat * 10);
    for (int round = 0; round < rounds; ++round) {
        const QString key = items.at(round % items.size()).key;
        QElapsedTimer timer;
        timer.start();
        store.setTicked(key, round % 2 == 0); // written whole
        writes << milliseconds(timer);
        other.setTicked(key, round % 2 != 0);
        timer.start();
        store.readFileIfChanged();
        reads << milliseconds(timer);
    }
    figures.bytes = QFileInfo(book.filePath(QStringLiteral("shopping-list.md"))).size();
    figures.readMedian = median(reads);
    figures.readMax = *std::max_element(reads.cbegin(), reads.cend());
    figures.writeMedian = median(writes);
    figures.writeMax = *std::max_element(writes.cbegin(), writes.cend());
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The settings the stores and the adapter keep stay out of the user's.
    QStandardPaths::setTestModeEnabled(true);
    const BenchOptions options = parseBenchOptions(
        app.arguments(),
        {{10000}, 5, QStringLiteral("/tmp/saltrove-shopbench"), CookbookProfile::Standard},
        "saltrove_shopbench [--sizes 10000] [--repeat 5] [--work DIR] "
        "[--profile standard|heavy]");

    QTextStream out(stdout);
    out << "| N | Find page query, text to results: median / max ms (≤ 50) | longest GUI stall "
           "while typing ms (≤ 33) |\n|---:|---:|---:|\n";
    for (int size : options.sizes) {
        const FindFigures f =
            measureFind(cookbookFor(options.work, size, options.profile), options);
        out << "| " << f.recipes << " | " << figure(f.queryMedian, 2) << " / "
            << figure(f.queryMax, 2) << " | " << figure(f.stallMax, 2) << " |\n";
    }
    const FileFigures f = measureFile(options);
    out << "\n| recipes | rows | file bytes | read again after another's change: median / max ms "
           "(≤ 10) | write after a tick: median / max ms (≤ 10) |\n|---:|---:|---:|---:|---:|\n"
        << "| " << f.recipes << " | " << f.rows << " | " << f.bytes << " | "
        << figure(f.readMedian, 2) << " / " << figure(f.readMax, 2) << " | "
        << figure(f.writeMedian, 2) << " / " << figure(f.writeMax, 2) << " |\n";
    return EXIT_SUCCESS;
}
