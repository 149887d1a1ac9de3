// Measures the cooking view in the desktop window over a generated collection
// and prints the figures as a Markdown table: opening the view on a 16 KiB
// recipe ("Cook" to the view painted) and a step change (the next step
// painted), both on the GUI thread. Timings only: nothing here judges them.
//
//   saltrove_cookbench [--sizes 100000] [--repeat 5] [--work DIR]
//
// The window reads its collection from settings in a configuration folder of
// the benchmark's own below the work folder, never the user's.

#include "benchsupport.h"
#include "browse/listpane.h"
#include "cooking/cookingview.h"
#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStatusBar>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

constexpr int recipeBytes = 16 * 1024;

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// A long recipe as cooks write them: forty ingredients and numbered steps
// with amounts, temperatures and spans of time, up to 16 KiB.
QByteArray longRecipe()
{
    static const char* names[] = {"flour",  "sugar",  "butter",  "eggs",        "milk",
                                  "onions", "garlic", "carrots", "red lentils", "rice"};
    static const char* units[] = {"g", "ml", "tbsp", "tsp", "pcs"};
    QByteArray text = "# Long Feast\n\nEverything for a long day in the kitchen.\n\n"
                      "### Ingredients\n\n";
    for (int i = 0; i < 40; ++i)
        text += QByteArray(" * ") + QByteArray::number(50 + i * 10) + ' ' + units[i % 5] + ' ' +
                names[i % 10] + " " + QByteArray::number(i) + ", chopped\n";
    text += "\n### Directions\n\n";
    for (int step = 1; text.size() < recipeBytes - 260; ++step) {
        text += QByteArray::number(step) + ". Heat the oven to 180 °C. Add 200 g " +
                names[step % 10] + " and 3 " + names[(step + 3) % 10] +
                ", stir for 2 minutes, then simmer 10-15 min or 1 hour 20 minutes, "
                "until golden; rest half an hour before the next step.\n";
    }
    text += "\n### Metadata\n\nservings: 4\ntags: bench\n";
    return text;
}

void storeLocation(const QString& root)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    settings.setValue(QStringLiteral("location"), root);
    settings.sync();
}

struct Figures
{
    double open = -1;
    double step = -1;
    double stepMax = -1;
    int steps = 0;
};

Figures measure(const QString& root, const QString& recipe, int repeat)
{
    Figures figures;
    storeLocation(root);
    MainWindow window;
    window.show();
    waitFor([&window] {
        return window.statusBar()->currentMessage().startsWith(QLatin1String("Found"));
    });
    emit window.findChild<ListPane*>()->fileSelected(recipe);
    QAction* cook = window.findChild<QAction*>(QStringLiteral("cookAction"));
    QList<double> opens;
    QList<double> steps;
    for (int round = 0; round < repeat; ++round) {
        QElapsedTimer timer;
        timer.start();
        cook->trigger();
        auto* view = window.findChild<CookingView*>(QStringLiteral("cookingView"));
        QCoreApplication::processEvents();
        view->repaint();
        opens << milliseconds(timer);
        figures.steps = int(view->recipe().steps().size());
        for (int step = 1; step < figures.steps; ++step) {
            timer.restart();
            view->nextStep();
            view->repaint();
            steps << milliseconds(timer);
        }
        view->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    figures.open = median(opens);
    figures.step = median(steps);
    if (!steps.isEmpty())
        figures.stepMax = *std::max_element(steps.begin(), steps.end());
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    const QString defaultWork = QStringLiteral("/tmp/saltrove-bench");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const BenchOptions options =
        parseBenchOptions(arguments, {{100000}, 5, defaultWork, CookbookProfile::Standard},
                          "saltrove_cookbench [--sizes 100000] [--repeat 5] [--work DIR]");
    // Settings of the benchmark's own, set before Qt reads the environment.
    qputenv("XDG_CONFIG_HOME",
            QFile::encodeName(options.work + QStringLiteral("/cookbench-config")));
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
    QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
    QTextStream out(stdout);
    out << "| N | recipe KiB | steps | open the cooking view ms (≤ 50) | "
           "step change ms (≤ 16) | slowest step change ms |\n"
        << "|---:|---:|---:|---:|---:|---:|\n";
    for (int count : options.sizes) {
        const QString root = cookbookFor(options.work, count, options.profile);
        const QString recipe = root + QStringLiteral("/cooking-bench.recipe.md");
        QFile file(recipe);
        const QByteArray text = longRecipe();
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            progress() << "cannot write " << recipe << Qt::endl;
            return 1;
        }
        file.close();
        progress() << "N = " << count << Qt::endl;
        const Figures figures = measure(root, recipe, options.repeat);
        out << "| " << count << " | " << figure(text.size() / 1024.0) << " | " << figures.steps
            << " | " << figure(figures.open) << " | " << figure(figures.step, 2) << " | "
            << figure(figures.stepMax, 2) << " |\n";
        out.flush();
        QFile::remove(recipe);
    }
    return 0;
}
