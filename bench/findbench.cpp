// Measures the Find pane on generated cookbooks and prints the figures as
// Markdown tables: the text index's background work and memory, a text query
// from the key that asks for it to the results shown, and the longest time
// the GUI thread stands still while a search is typed. Timings only: nothing
// here judges them.
//
//   saltrove_findbench [--sizes 10000,100000] [--repeat 5] [--work DIR]
//
// The child it starts (--child-memory) is the same program measuring the
// pane's memory in a fresh process.

#include "benchsupport.h"
#include "collection/scanner.h"
#include "cookbook.h"
#include "find/findpane.h"
#include "pantry/pantryitemsmodel.h"
#include "pantry/pantrysession.h"
#include "search/findresultsmodel.h"
#include "search/recipesearch.h"
#include "search/recipetextindex.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// What a user types; each is answered from the index.
const QStringList queries = {
    QStringLiteral("smoked paprika"), QStringLiteral("soup"), QStringLiteral("the"),
    QStringLiteral("heat oil"),       QStringLiteral("ging"), QStringLiteral("lentils winter")};

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void scan(Scanner& scanner, const QString& root)
{
    bool updated = false;
    QObject::connect(&scanner, &Scanner::dataUpdated, &scanner, [&] { updated = true; });
    scanner.setRootPath(root);
    waitFor([&] { return updated; });
}

// The pane of the window, shown offscreen, over one scanned collection.
struct Pane
{
    explicit Pane(const QString& root)
    {
        scan(scanner, root);
        pane.resize(400, 700);
        pane.show();
        text = pane.findChild<QLineEdit*>(QStringLiteral("findText"));
        label = pane.findChild<QLabel*>(QStringLiteral("findCount"));
        results = pane.findChild<QTreeView*>(QStringLiteral("findResults"))->model();
        QObject::connect(pane.search(), &RecipeSearch::answered, &pane, [this] { ++shown; });
    }
    // Hands the scanner's models to the pane, as the window does after a scan.
    void publish()
    {
        pane.setModels(scanner.titleModel(), scanner.ingredientModel(), scanner.tagModel(),
                       scanner.listedIngredients());
    }
    // Asks at once (Enter) and waits until the results are shown.
    double ask(const QString& typed)
    {
        text->setText(typed);
        return answer([this] { QTest::keyClick(text, Qt::Key_Return); });
    }
    // The pantry of a folder of its own, whose "From my pantry" switch is
    // then at hand.
    void keepPantry(const QString& folder)
    {
        QFile file(folder + QStringLiteral("/pantry.md"));
        if (file.open(QIODevice::WriteOnly))
            file.write("# Pantry\n\n- " +
                       stockedPantryLines().join(QStringLiteral("\n- ")).toUtf8() + '\n');
        file.close();
        pantry.setCollectionPath(folder);
        pane.setPantry(&pantry);
        fromPantry = pane.findChild<QCheckBox*>(QStringLiteral("findFromPantry"));
    }
    // Does what asks for a search and waits until its results are shown.
    double answer(const std::function<void()>& asking)
    {
        const int before = shown;
        QElapsedTimer timer;
        timer.start();
        asking();
        waitFor([&] {
            const bool counted = label->text().endsWith(QLatin1String(" recipes")) ||
                                 label->text() == QLatin1String("1 recipe");
            return shown > before && counted && !label->text().startsWith(QLatin1String("Reading"));
        });
        QCoreApplication::processEvents(); // painting
        return milliseconds(timer);
    }

    Scanner scanner;
    FindPane pane;
    PantrySession pantry;
    QCheckBox* fromPantry = nullptr;
    QLineEdit* text = nullptr;
    QLabel* label = nullptr;
    QAbstractItemModel* results = nullptr;
    int shown = 0;
};

// The longest time the event loop of this thread went without turning while
// `typed` is typed one key every 80 ms (a quick typist), until the results of
// the whole text are shown and a little after; and the time from the last key
// to those results, less the pause the pane waits for after typing.
struct Typing
{
    double longestStall = 0;
    double lastKeyToResults = 0;
};

Typing typeQuery(Pane& pane, const QString& typed, int typingPauseMs)
{
    pane.text->clear();
    QCoreApplication::processEvents();
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
    QElapsedTimer sinceLastKey;
    int shownBefore = 0;
    for (int i = 0; i < typed.size(); ++i) {
        QElapsedTimer gap;
        gap.start();
        while (gap.elapsed() < 80)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        shownBefore = pane.shown;
        QTest::keyClick(pane.text, typed.at(i).toLatin1());
        sinceLastKey.start();
    }
    waitFor([&] { return pane.shown > shownBefore; });
    Typing result;
    result.lastKeyToResults = milliseconds(sinceLastKey) - typingPauseMs;
    QElapsedTimer after;
    after.start();
    while (after.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    result.longestStall = double(longest) / 1e6;
    return result;
}

struct Figures
{
    int recipes = 0;
    double indexBuild = 0;
    double publication = 0;
    double queryMedian = 0;
    double queryMax = 0;
    double typedMedian = 0;
    double typedMax = 0;
    double stallMax = 0;
    double pantryMedian = 0;
    double pantryMax = 0;
    int cookableNow = 0;
    int missingSome = 0;
    double extraMiB = 0;
    double peakExtraMiB = 0;
    double indexMiB = 0;
    qsizetype tokens = 0;
};

// In a fresh process: the scanner's models held, then the pane shown over
// them and asked once, so that its index is built. Prints "before after peak
// indexBytes tokens", memory in KiB; the peak counts from just before the pane.
int childMemory(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Pane pane(app.arguments().value(2));
    QCoreApplication::processEvents();
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // the peak starts again from here
    clear.close();
    const qint64 before = statusKiB("VmRSS");
    pane.publish();
    pane.ask(QStringLiteral("soup"));
    std::printf("%lld %lld %lld\n", qlonglong(before), qlonglong(statusKiB("VmRSS")),
                qlonglong(statusKiB("VmHWM")));
    return EXIT_SUCCESS;
}

void measureMemory(const QString& root, Figures& figures)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child-memory"), root});
    child.waitForFinished(-1);
    const QList<QByteArray> kib = child.readAllStandardOutput().trimmed().split(' ');
    if (kib.size() != 3) {
        progress() << "memory child failed" << Qt::endl;
        return;
    }
    figures.extraMiB = (kib[1].toDouble() - kib[0].toDouble()) / 1024;
    figures.peakExtraMiB = (kib[2].toDouble() - kib[0].toDouble()) / 1024;
}

// How many recipes the pantry answer offers as cookable now, and how many
// with one or two missing.
void countRanks(const Pane& pane, Figures& figures)
{
    figures.cookableNow = figures.missingSome = 0;
    for (int row = 0; row < pane.results->rowCount(); ++row) {
        const QModelIndex at = pane.results->index(row, 0);
        if (at.data(FindResultsModel::MissingRole).toString().isEmpty())
            ++figures.cookableNow;
        else
            ++figures.missingSome;
    }
}

int rowOfSaffron(const PantrySession& pantry)
{
    for (int row = 0; row < pantry.count(); ++row) {
        if (pantry.items()->textAt(row).endsWith(QLatin1String("saffron")))
            return row;
    }
    return -1;
}

// "From my pantry" switched on, with the text empty and with a typed text,
// then an item added to the pantry while it is on and taken out again: each
// from the click or the edit to the results shown.
void measurePantry(Pane& pane, const BenchOptions& options, Figures& figures)
{
    QTemporaryDir folder;
    pane.keepPantry(folder.path());
    // Switched off, an empty text asks nothing: not measured.
    const auto switchOff = [&pane] {
        pane.fromPantry->click();
        QCoreApplication::processEvents();
    };
    QList<double> answered;
    for (int round = 0; round < options.repeat; ++round) {
        for (const QString& typed : {QString(), QStringLiteral("soup")}) {
            pane.text->setText(typed);
            QTest::keyClick(pane.text, Qt::Key_Return);
            QCoreApplication::processEvents();
            answered << pane.answer([&] { pane.fromPantry->click(); });
            if (typed.isEmpty())
                countRanks(pane, figures);
            switchOff();
        }
        pane.text->clear();
        pane.answer([&] { pane.fromPantry->click(); });
        answered << pane.answer([&] { pane.pantry.add(QStringLiteral("2 g saffron")); });
        answered << pane.answer([&] { pane.pantry.remove(rowOfSaffron(pane.pantry)); });
        switchOff();
    }
    figures.pantryMedian = median(answered);
    figures.pantryMax = *std::max_element(answered.begin(), answered.end());
}

Figures measure(const QString& root, const BenchOptions& options)
{
    Figures figures;
    Pane pane(root);
    const QHash<QString, QString> titles = pane.scanner.titlesByPath();
    figures.recipes = int(titles.size());
    const QStringList paths = titles.keys();

    progress() << "index build, " << figures.recipes << " recipes" << Qt::endl;
    QList<double> builds;
    for (int i = 0; i < std::max(1, options.repeat / 2); ++i) {
        QElapsedTimer timer;
        timer.start();
        const auto index = RecipeTextIndex::build(paths, [] { return false; });
        builds << milliseconds(timer);
        figures.indexMiB = double(index->memoryUsed()) / (1024 * 1024);
        figures.tokens = index->tokenCount();
    }
    figures.indexBuild = median(builds);

    // The pane after a publication: what the GUI thread does at once.
    QElapsedTimer publication;
    publication.start();
    pane.publish();
    figures.publication = milliseconds(publication);
    pane.ask(QStringLiteral("soup")); // waits for the index

    progress() << "queries" << Qt::endl;
    QList<double> asked;
    for (int round = 0; round < options.repeat; ++round) {
        for (const QString& query : queries)
            asked << pane.ask(query);
    }
    figures.queryMedian = median(asked);
    figures.queryMax = *std::max_element(asked.begin(), asked.end());

    progress() << "typing" << Qt::endl;
    QList<double> typed;
    for (const QString& query : queries) {
        const Typing typing = typeQuery(pane, query, 120);
        typed << typing.lastKeyToResults;
        figures.stallMax = std::max(figures.stallMax, typing.longestStall);
    }
    figures.typedMedian = median(typed);
    figures.typedMax = *std::max_element(typed.begin(), typed.end());

    progress() << "from my pantry" << Qt::endl;
    measurePantry(pane, options, figures);

    progress() << "memory" << Qt::endl;
    measureMemory(root, figures);
    return figures;
}

int runBenchmarks(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const BenchOptions options = parseBenchOptions(
        app.arguments(),
        {{10000, 100000}, 5, QStringLiteral("/tmp/saltrove-findbench"), CookbookProfile::Standard},
        "saltrove_findbench [--sizes 10000,100000] [--repeat 5] [--work DIR] "
        "[--profile standard|heavy]");
    QList<Figures> all;
    for (int size : options.sizes)
        all << measure(cookbookFor(options.work, size, options.profile), options);

    QTextStream out(stdout);
    out << "| N | index build ms (background) | publication ms (GUI) | query, Enter to results: "
           "median / max ms | query, last key to results less the 120 ms pause: median / max "
           "ms | longest GUI stall while typing ms | extra RSS MiB (peak) | index tables MiB | "
           "tokens |\n"
        << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const Figures& f : all) {
        out << "| " << f.recipes << " | " << figure(f.indexBuild) << " | " << figure(f.publication)
            << " | " << figure(f.queryMedian) << " / " << figure(f.queryMax) << " | "
            << figure(f.typedMedian) << " / " << figure(f.typedMax) << " | " << figure(f.stallMax)
            << " | " << figure(f.extraMiB) << " (" << figure(f.peakExtraMiB) << ") | "
            << figure(f.indexMiB) << " | " << f.tokens << " |\n";
    }
    out << "\n| N | From my pantry, click or pantry edit to results: median / max ms | "
           "cookable now | missing one or two |\n"
        << "|---:|---:|---:|---:|\n";
    for (const Figures& f : all) {
        out << "| " << f.recipes << " | " << figure(f.pantryMedian) << " / " << figure(f.pantryMax)
            << " | " << f.cookableNow << " | " << f.missingSome << " |\n";
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--child-memory"))
        return childMemory(argc, argv);
    return runBenchmarks(argc, argv);
}
