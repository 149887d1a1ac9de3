// Measures the scan, what the user interface does with its results, and the
// programs' start-up on generated cookbooks, and prints the figures as a
// Markdown table. Timings only: nothing here judges them.
//
//   saltrove_bench [--sizes 1000,10000,100000] [--repeat 5] [--work DIR]
//                  [--profile standard|heavy]
//
// The children it starts (--child-*) are the same program measuring one thing
// in a fresh process: peak memory and start-up depend on what the process has
// done before.

#include "benchsupport.h"
#include "browse/listpane.h"
#include "browse/scanneradapter.h"
#include "collection/recipecache.h"
#include "collection/scanner.h"
#include "cookbook.h"
#include "desktopstartup.h"
#include "mainwindow.h"
#include "search/recipesearch.h"
#include "touchstartup.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QResource>
#include <QSettings>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// From the request to dataUpdated() received on this thread.
double scanOnce(const QString& root, int* recipes = nullptr)
{
    Scanner scanner;
    QEventLoop loop;
    QObject::connect(&scanner, &Scanner::dataUpdated, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    scanner.setRootPath(root);
    loop.exec();
    const double elapsed = milliseconds(timer);
    if (recipes)
        *recipes = scanner.titleModel()->rowCount();
    return elapsed;
}

// The least any scan can cost: the same walk, every file read line by line
// with the same limit, nothing parsed.
double readFloorOnce(const QString& root, qint64* bytes = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    qint64 total = 0;
    QDirIterator files(root, {QStringLiteral("*.recipe.md")}, QDir::Files | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        QFile file(files.fileInfo().absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        while (!file.atEnd())
            total += file.readLine(2000).size();
    }
    const double elapsed = milliseconds(timer);
    if (bytes)
        *bytes = total;
    return elapsed;
}

double ripgrepOnce(const QString& root, int* matches = nullptr)
{
    QProcess rg;
    QElapsedTimer timer;
    timer.start();
    rg.start(QStringLiteral("rg"), {QStringLiteral("-l"), commonIngredient(), root});
    if (!rg.waitForFinished(-1) || rg.exitStatus() != QProcess::NormalExit) {
        progress() << "rg failed: " << rg.errorString() << Qt::endl;
        std::exit(EXIT_FAILURE);
    }
    const double elapsed = milliseconds(timer);
    if (matches)
        *matches = int(rg.readAllStandardOutput().count('\n'));
    return elapsed;
}

// The memory figures of one scan in a fresh process, as "baseline rss peak"
// in KiB. The models are still held when the resident set is read.

int childMemory(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString root = app.arguments().value(2);
    const qint64 baseline = statusKiB("VmRSS");
    auto scanner = std::make_unique<Scanner>();
    QEventLoop loop;
    QObject::connect(scanner.get(), &Scanner::dataUpdated, &loop, &QEventLoop::quit);
    scanner->setRootPath(root);
    loop.exec();
    std::printf("%lld %lld %lld\n", qlonglong(baseline), qlonglong(statusKiB("VmRSS")),
                qlonglong(statusKiB("VmHWM")));
    return EXIT_SUCCESS;
}

// Starts a Scanner on the index kept in FOLDER for ROOT, REPEAT times one
// after the other, each until its check has ended; prints the peak resident
// set in KiB. Run once with nothing kept to keep the index, then under a
// profiler: --child-kept-start ROOT FOLDER REPEAT.
int childKeptStart(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int repeat = std::max(1, arguments.value(4).toInt());
    for (int i = 0; i < repeat; ++i) {
        auto scanner = std::make_unique<Scanner>();
        scanner->setIndexFolder(arguments.value(3));
        QEventLoop loop;
        QObject::connect(scanner.get(), &Scanner::dataUpdated, &loop, &QEventLoop::quit);
        scanner->setRootPath(arguments.value(2));
        loop.exec();
        scanner.reset(); // waits for the check
    }
    std::printf("%lld\n", qlonglong(statusKiB("VmHWM")));
    return EXIT_SUCCESS;
}

struct Memory
{
    double peakMiB = 0;
    double bytesPerRecipe = 0;
};

Memory measureMemory(const QString& root, int count)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child-memory"), root});
    child.waitForFinished(-1);
    const QList<QByteArray> kib = child.readAllStandardOutput().trimmed().split(' ');
    if (kib.size() != 3) {
        progress() << "memory child failed" << Qt::endl;
        return {};
    }
    return {kib[2].toDouble() / 1024, (kib[1].toDouble() - kib[0].toDouble()) * 1024 / count};
}

// The settings each program reads its collection folder from, pointed at
// `root` before the program (or its part under test) starts. XDG_CONFIG_HOME
// is the benchmark's own, so no real user's settings are touched.
void storeLocation(const QString& application, const QString& root)
{
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/vantrel.org/%1.conf").arg(application);
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("General"));
    settings.setValue(QStringLiteral("location"), root);
    settings.sync();
}

// The longest time the event loop of this thread went without turning, from
// `trigger` until `done` has become true and a little after it, so that the
// layout and painting that follow a publication are included.
double longestStall(const std::function<void()>& trigger, const std::function<bool()>& done)
{
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QElapsedTimer clock;
    QElapsedTimer sinceDone;
    qint64 last = 0;
    qint64 longest = 0;
    QEventLoop loop;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (!sinceDone.isValid() && done())
            sinceDone.start();
        if (sinceDone.isValid() && sinceDone.elapsed() > 200)
            loop.quit();
    });
    clock.start();
    ticker.start();
    trigger();
    loop.exec();
    return double(longest) / 1e6;
}

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

struct Interface
{
    double desktopPublication = 0;
    double touchPublication = 0;
    double desktopKeystroke = 0;
    double desktopKeystrokeMax = 0;
    double touchKeystroke = 0;
    double touchKeystrokeMax = 0;
};

// Types a search one key at a time and deletes it again; each step is one
// keystroke with everything the event loop does in reaction.
QList<double> typeAndErase(const std::function<void(const QString&)>& setText)
{
    const QString search = QStringLiteral("smoked soup");
    QList<double> keystrokes;
    auto press = [&](const QString& text) {
        QElapsedTimer timer;
        timer.start();
        setText(text);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        keystrokes << milliseconds(timer);
        if (qEnvironmentVariableIsSet("SALTROVE_BENCH_KEYS"))
            progress() << "  \"" << text << "\" " << keystrokes.last() << " ms" << Qt::endl;
    };
    for (int length = 1; length <= search.size(); ++length)
        press(search.left(length));
    for (int length = search.size() - 1; length >= 0; --length)
        press(search.left(length));
    return keystrokes;
}

Interface measureInterface(const QString& root, int repeat, bool filter)
{
    Interface result;
    {
        QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
        storeLocation(QStringLiteral("Saltrove"), root);
        // Nothing kept: the first scan publishes once, and no reload below
        // meets a check still running (which drops it, as any scan does).
        QDir(Scanner::defaultIndexFolder()).removeRecursively();
        MainWindow window;
        window.show();
        QStatusBar* status = window.statusBar();
        auto found = [status] {
            return status->currentMessage().startsWith(QLatin1String("Found"));
        };
        waitFor(found);
        auto* reload = window.findChild<QAction*>(QStringLiteral("reloadCollectionAction"));
        QList<double> stalls;
        for (int i = 0; reload && i < repeat; ++i) {
            status->clearMessage();
            stalls << longestStall([reload] { reload->trigger(); }, found);
        }
        result.desktopPublication = median(stalls);
        if (filter) {
            // The title list's own search field: the window has other fields.
            auto* search = window.findChild<ListPane*>()->findChild<QLineEdit*>();
            const QList<double> keys =
                typeAndErase([search](const QString& text) { search->setText(text); });
            result.desktopKeystroke = median(keys);

            result.desktopKeystrokeMax = *std::max_element(keys.begin(), keys.end());
        }
    }
    {
        QCoreApplication::setApplicationName(QStringLiteral("SaltroveTouch"));
        storeLocation(QStringLiteral("SaltroveTouch"), root);
        QDir(Scanner::defaultIndexFolder()).removeRecursively();
        ScannerAdapter adapter;
        auto* titles = qobject_cast<QAbstractItemModel*>(adapter.titleList());
        int resets = 0;
        QObject::connect(titles, &QAbstractItemModel::modelReset, [&resets] { ++resets; });
        waitFor([&resets] { return resets > 0; });
        QList<double> stalls;
        for (int i = 0; i < repeat; ++i) {
            const int before = resets;
            stalls << longestStall([&adapter] { adapter.refresh(); },
                                   [&resets, before] { return resets > before; });
        }
        result.touchPublication = median(stalls);
        if (filter) {
            // A page's list asks for its rows at once; so does the measurement.
            const QList<double> keys = typeAndErase([&adapter, titles](const QString& text) {
                adapter.setFilter(text);
                titles->rowCount();
            });
            result.touchKeystroke = median(keys);
            result.touchKeystrokeMax = *std::max_element(keys.begin(), keys.end());
        }
    }
    return result;
}

// The desktop program's start-up as its entry function runs it, until the
// first scan's result is shown; prints one line then.
int childStartupDesktop(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    QApplication app(argc, argv);
    prepareDesktopApplication();

    MainWindow window;
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, [](const QString& message) {
        if (!message.startsWith(QLatin1String("Found")))
            return;
        // One more turn of the loop, so that the views have taken the models.
        QTimer::singleShot(0, [message] {
            std::printf("%s\n", qPrintable(message));
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    });
    window.show();
    return QApplication::exec();
}

// The touch program's start-up as its entry function runs it, until the
// first scan's titles reach the page's list model.
int childStartupTouch(int argc, char* argv[])
{
    forceTouchStyle();
    QGuiApplication app(argc, argv);
    prepareTouchApplication();

    QQmlApplicationEngine engine(QUrl(QStringLiteral("qrc:/qml/main.qml"), QUrl::TolerantMode));
    if (engine.rootObjects().isEmpty())
        return EXIT_FAILURE;
    auto* adapter = qobject_cast<ScannerAdapter*>(
        engine.rootObjects().first()->property("scanner").value<QObject*>());
    if (!adapter)
        return EXIT_FAILURE;
    auto* titles = qobject_cast<QAbstractItemModel*>(adapter->titleList());
    QObject::connect(titles, &QAbstractItemModel::modelReset, [titles] {
        QTimer::singleShot(0, [titles] {
            std::printf("Found %d recipes\n", titles->rowCount());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    });
    return QGuiApplication::exec();
}

// From starting the process to its line on standard output.
double startupOnce(const QString& mode)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    while (child.state() != QProcess::NotRunning && !child.canReadLine())
        child.waitForReadyRead(-1);
    const double elapsed = milliseconds(timer);
    const QByteArray line = child.readLine().trimmed();
    child.waitForFinished(-1);
    if (!line.startsWith("Found")) {
        progress() << mode << " failed: " << child.readAllStandardError() << Qt::endl;
        return -1;
    }
    return elapsed;
}

// The index kept between runs: a start with nothing kept, a start with the
// index kept (to its first titles shown and to its check of every file), the
// check alone, Find's first answer after a start, the kept file's size and
// the peak memory of a start.
struct KeptIndex
{
    double cold = 0;
    double warmShown = 0;
    double warmChecked = 0;
    double check = 0;     // the unchanged cookbook walked and compared
    double findBuilt = 0; // Find's first answer, its index built from the files
    double findKept = 0;  // the same with Find's index kept
    double bytesPerRecipe = 0;
    double bytesWithFindPerRecipe = 0;
    double coldPeakMiB = 0;
    double warmPeakMiB = 0;
};

// Milliseconds from the call to each of `publications` publications.
QList<double> timePublications(Scanner& scanner, const std::function<void()>& start,
                               int publications)
{
    QList<double> times;
    QEventLoop loop;
    QElapsedTimer timer;
    QObject::connect(&scanner, &Scanner::dataUpdated, &loop, [&] {
        times << milliseconds(timer);
        if (times.size() == publications)
            loop.quit();
    });
    timer.start();
    start();
    loop.exec();
    return times;
}

// From a start with the index kept in `folder` to the first answer of the
// Find both programs drive (shown, as a Find pane or page opened at once),
// asked for the common ingredient before the start.
double findFirstAnswer(const QString& root, const QString& folder)
{
    Scanner scanner;
    scanner.setIndexFolder(folder);
    RecipeSearch search;
    search.setScanner(&scanner);
    search.setText(commonIngredient());
    QEventLoop loop;
    QObject::connect(&search, &RecipeSearch::answered, &loop, [&] {
        if (search.results()->rowCount() > 0)
            loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    scanner.setRootPath(root);
    loop.exec();
    return milliseconds(timer);
}

double keptFileBytes(const QString& folder, const QString& root)
{
    const QString file = RecipeCache::fileFor(folder, root);
    return double(QFileInfo(file).size() + QFileInfo(file + QStringLiteral("-wal")).size());
}

// The peak resident set of a fresh process starting a Scanner on `folder`.
double startPeakMiB(const QString& root, const QString& folder)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child-kept-start"), root, folder, QStringLiteral("1")});
    child.waitForFinished(-1);
    return child.readAllStandardOutput().trimmed().toDouble() / 1024;
}

KeptIndex keptIndexOnce(const QString& root, const QString& folder, int count)
{
    QDir(folder).removeRecursively();
    KeptIndex figures;
    {
        Scanner cold;
        cold.setIndexFolder(folder);
        figures.cold = timePublications(
                           cold, [&] { cold.setRootPath(root); }, 1)
                           .last();
    }
    {
        // The check publishes nothing when nothing changed: it has ended when
        // the Scanner, which waits for its scan, is gone.
        auto warm = std::make_unique<Scanner>();
        warm->setIndexFolder(folder);
        QElapsedTimer timer;
        timer.start();
        figures.warmShown = timePublications(
                                *warm, [&] { warm->setRootPath(root); }, 1)
                                .last();
        const double shownAt = milliseconds(timer);
        warm.reset();
        figures.warmChecked = figures.warmShown + milliseconds(timer) - shownAt;
    }
    figures.check = figures.warmChecked - figures.warmShown;
    figures.bytesPerRecipe = keptFileBytes(folder, root) / count;
    figures.findBuilt = findFirstAnswer(root, folder); // builds Find's index and keeps it
    figures.findKept = findFirstAnswer(root, folder);
    figures.bytesWithFindPerRecipe = keptFileBytes(folder, root) / count;
    figures.warmPeakMiB = startPeakMiB(root, folder);
    QDir(folder).removeRecursively();
    figures.coldPeakMiB = startPeakMiB(root, folder);
    return figures;
}

void reportKeptIndex(QTextStream& out, const BenchOptions& options)
{
    out << "| N | start, nothing kept ms | start, index kept: titles shown ms (≤ 60 at 10,000, "
           "≤ 300 at 100,000) | same: every file checked ms | the check alone, unchanged ms "
           "(≤ 1000 at 100,000) | Find's first answer after a start, its index built / kept ms "
           "(≤ 1000 at 100,000) | index bytes / recipe (≤ 1024) | with Find's index | "
           "peak RSS of a start, nothing kept / index kept MiB (≤ 274 at 100,000) |\n"
        << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    for (int count : options.sizes) {
        const QString root = cookbookFor(options.work, count, options.profile);
        const QString folder = options.work + QStringLiteral("/kept-index");
        readFloorOnce(root); // a warm page cache, as for the scan
        QList<double> cold, shown, checked, reload, findBuilt, findKept, bytes, withFind, coldPeak,
            warmPeak;
        for (int i = 0; i < options.repeat; ++i) {
            const KeptIndex figures = keptIndexOnce(root, folder, count);
            cold << figures.cold;
            shown << figures.warmShown;
            checked << figures.warmChecked;
            reload << figures.check;
            findBuilt << figures.findBuilt;
            findKept << figures.findKept;
            bytes << figures.bytesPerRecipe;
            withFind << figures.bytesWithFindPerRecipe;
            coldPeak << figures.coldPeakMiB;
            warmPeak << figures.warmPeakMiB;
        }
        QDir(folder).removeRecursively();
        out << "| " << count << " | " << figure(median(cold)) << " | " << figure(median(shown))
            << " | " << figure(median(checked)) << " | " << figure(median(reload)) << " | "
            << figure(median(findBuilt)) << " / " << figure(median(findKept)) << " | "
            << figure(median(bytes), 0) << " | " << figure(median(withFind), 0) << " | "
            << figure(median(coldPeak)) << " / " << figure(median(warmPeak)) << " |\n";
        out.flush();
    }
    out << "\n";
}

// The start-up of both programs at every size, with nothing kept (the cache
// folder emptied first) and then with the index the first start kept.
void reportStartup(QTextStream& out, const BenchOptions& options)
{
    out << "\n| N | desktop start-up to first titles shown, nothing kept / index kept ms | "
           "touch, the same ms |\n"
        << "|---:|---:|---:|\n";
    const QString cache = QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"));
    for (int count : options.sizes) {
        const QString root = cookbookFor(options.work, count, options.profile);
        storeLocation(QStringLiteral("Saltrove"), root);
        storeLocation(QStringLiteral("SaltroveTouch"), root);
        QList<double> times[4];
        for (int i = 0; i < options.repeat; ++i) {
            int column = 0;
            for (const char* mode : {"--child-startup-desktop", "--child-startup-touch"}) {
                QDir(cache).removeRecursively();
                times[column++] << startupOnce(QString::fromLatin1(mode));
                times[column++] << startupOnce(QString::fromLatin1(mode));
            }
        }
        out << "| " << count << " | " << figure(median(times[0])) << " / "
            << figure(median(times[1])) << " | " << figure(median(times[2])) << " / "
            << figure(median(times[3])) << " |\n";
        out.flush();
    }
}

int runBenchmarks(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList arguments = app.arguments();
    const bool keptIndexOnly = arguments.removeAll(QStringLiteral("--kept-index-only")) > 0;
    const BenchOptions options =
        parseBenchOptions(arguments,
                          {{1000, 10000, 100000},
                           5,
                           QStringLiteral("/tmp/saltrove-bench"),
                           CookbookProfile::Standard},
                          "saltrove_bench [--sizes 1000,10000,100000] [--repeat 5] [--work DIR] "
                          "[--profile standard|heavy]");
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
    QTextStream out(stdout);

    out << "Profile **" << profileName(options.profile) << "**, " << options.repeat
        << " rounds.\n\n";
    reportKeptIndex(out, options);
    if (keptIndexOnly)
        return EXIT_SUCCESS;
    // Targets in brackets: the ratios at 10,000 and 100,000 recipes, memory and
    // the two hand-overs at 100,000.
    out << "| N | scan ms | read floor ms | rg -l ms | scan / read floor (≤ 1.0) | "
           "scan / rg (≤ 2.5) | peak RSS MiB (≤ 300) | bytes / recipe | "
           "desktop publication ms (≤ 50) | touch hand-over ms (≤ 50) |\n"
        << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    QStringList notes;
    const int largest = *std::max_element(options.sizes.begin(), options.sizes.end());
    Interface filterFigures;
    for (int count : options.sizes) {
        const QString root = cookbookFor(options.work, count, options.profile);
        progress() << "N = " << count << Qt::endl;
        // Warm the page cache, and check that the three see the same cookbook.
        int recipes = 0;
        int matches = 0;
        readFloorOnce(root);
        scanOnce(root, &recipes);
        ripgrepOnce(root, &matches);
        if (recipes != count) {
            progress() << "scan found " << recipes << " of " << count << " recipes" << Qt::endl;
            return EXIT_FAILURE;
        }
        // Side by side: each round measures all three, one after the other.
        QList<double> scans, floors, greps;
        for (int i = 0; i < options.repeat; ++i) {
            scans << scanOnce(root);
            floors << readFloorOnce(root);
            greps << ripgrepOnce(root);
        }
        const double scan = median(scans);
        const double floor = median(floors);
        const double grep = median(greps);
        const Memory memory = measureMemory(root, count);
        progress() << "  scan " << scan << " floor " << floor << " rg " << grep << " (" << matches
                   << " files match)" << Qt::endl;
        const Interface ui = measureInterface(root, options.repeat, count == largest);
        if (count == largest)
            filterFigures = ui;
        out << "| " << count << " | " << figure(scan) << " | " << figure(floor) << " | "
            << figure(grep) << " | " << figure(scan / floor, 2) << " | " << figure(scan / grep, 2)
            << " | " << figure(memory.peakMiB) << " | " << figure(memory.bytesPerRecipe, 0) << " | "
            << figure(ui.desktopPublication) << " | " << figure(ui.touchPublication) << " |\n";
        out.flush();
    }

    out << "\n| N | filter keystroke, desktop ListPane: median / max ms (≤ 4 / ≤ 33) | "
           "filter keystroke, touch ScannerAdapter: median / max ms (≤ 4 / ≤ 33) |\n"
        << "|---:|---:|---:|\n"
        << "| " << largest << " | " << figure(filterFigures.desktopKeystroke, 2) << " / "
        << figure(filterFigures.desktopKeystrokeMax, 2) << " | "
        << figure(filterFigures.touchKeystroke, 2) << " / "
        << figure(filterFigures.touchKeystrokeMax, 2) << " |\n";

    reportStartup(out, options);
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[])
{
    // Widgets and pages run offscreen, and every process of the benchmark
    // keeps its settings in a folder of its own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!mode.startsWith(QLatin1String("--child-"))) {
        QString work = QStringLiteral("/tmp/saltrove-bench");
        for (int i = 1; i + 1 < argc; ++i) {
            if (qstrcmp(argv[i], "--work") == 0)
                work = QString::fromLocal8Bit(argv[i + 1]);
        }
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(work + QStringLiteral("/config")));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(work + QStringLiteral("/cache")));
    }
    if (mode == QLatin1String("--child-memory"))
        return childMemory(argc, argv);
    if (mode == QLatin1String("--child-kept-start"))
        return childKeptStart(argc, argv);
    if (mode == QLatin1String("--child-startup-desktop"))
        return childStartupDesktop(argc, argv);
    if (mode == QLatin1String("--child-startup-touch"))
        return childStartupTouch(argc, argv);
    return runBenchmarks(argc, argv);
}
