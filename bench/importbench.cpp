// The importer's figures: saltrove_importbench [--sizes 1000] [--repeat 3]
// [--work folder]. Generates saved pages of about 350 KB each (scripts,
// styles, navigation and article text around one schema.org Recipe in
// JSON-LD inside an "@graph", with raw line breaks in its strings), then
// imports them into a fresh folder with the desktop's import job while the
// main thread runs a progress dialog as the window does, and reports the
// time, the longest stall of the main thread's event loop and the peak
// resident memory of the process.
#include "benchsupport.h"
#include "import/importsummary.h"
#include "import/recipeimportjob.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr int pageVersion = 1;
constexpr int pageBytes = 350 * 1024;

QByteArray noiseScript(QRandomGenerator& random, int bytes)
{
    QByteArray out = "<script>(function(w,d){var cfg={";
    while (out.size() < bytes) {
        out += "\"k" + QByteArray::number(random.bounded(100000)) + "\":\"" +
               QByteArray::number(random.generate64(), 36) + "\",";
        if (random.bounded(8) == 0)
            out += "\"fn\":function(a,b){return a<b&&b>0?a:b},\n";
    }
    out += "};w.cfg=cfg;})(window,document);</script>\n";
    return out;
}

QByteArray article(QRandomGenerator& random, int bytes)
{
    static const char* words[] = {"butter",      "slowly", "the",   "oven",  "golden", "my",
                                  "grandmother", "always", "crisp", "and",   "whisk",  "garden",
                                  "summer",      "with",   "a",     "pinch", "of",     "love"};
    QByteArray out = "<article><h1>A story</h1>\n";
    while (out.size() < bytes) {
        out += "<p class=\"entry\">";
        for (int i = 0; i < 60; ++i) {
            out += words[random.bounded(int(std::size(words)))];
            out += random.bounded(12) == 0 ? "&nbsp;" : " ";
        }
        out += "<a href=\"/tag/" + QByteArray::number(random.bounded(500)) + "\">more</a></p>\n";
        if (random.bounded(6) == 0)
            out += "<div class=\"ad\"><ins data-slot=\"" +
                   QByteArray::number(random.generate(), 16) + "\"></ins></div>\n";
    }
    return out + "</article>\n";
}

QByteArray recipeJson(int number, QRandomGenerator& random)
{
    QByteArray ingredients;
    const int count = 8 + random.bounded(10);
    for (int i = 0; i < count; ++i)
        ingredients += (i ? "," : "") + QByteArray("\"") +
                       QByteArray::number(1 + random.bounded(500)) + " g ingredient " +
                       QByteArray::number(i) + " ((about " + QByteArray::number(random.bounded(9)) +
                       " oz))\"";
    QByteArray steps;
    for (int i = 0; i < 6; ++i)
        steps += (i ? "," : "") + QByteArray(R"({"@type":"HowToStep","text":"Step )") +
                 QByteArray::number(i + 1) + " stirs &amp; folds\nfor a while.\"}";
    return R"({"@context":"https://schema.org","@graph":[{"@type":"WebSite","name":"Bench"},)"
           R"({"@type":["Recipe"],"name":"Generated dish )" +
           QByteArray::number(number) +
           R"(","description":"A dish
with a raw line break.","recipeYield":["4","4 servings"],"totalTime":"PT1H5M",)"
           R"("keywords":"bench, generated","recipeCuisine":"Test","author":{"@type":"Person","name":"Bench"},)"
           R"("image":{"@type":"ImageObject","url":"https://bench.example/p.jpg"},)"
           R"("recipeIngredient":[)" +
           ingredients +
           R"(],"recipeInstructions":[{"@type":"HowToSection","name":"Main","itemListElement":[)" +
           steps + "]}]}]}";
}

QByteArray savedPage(int number)
{
    QRandomGenerator random(quint32(number) * 7919u + 17u);
    QByteArray page = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Dish " +
                      QByteArray::number(number) + "</title>\n<style>" +
                      QByteArray(8 * 1024, 'x').replace("x", "a") + "{}</style>\n";
    page += noiseScript(random, pageBytes / 4);
    page += "<script type=\"application/ld+json\">" + recipeJson(number, random) + "</script>\n";
    page += noiseScript(random, pageBytes / 4);
    page += "</head><body><nav><ul>";
    for (int i = 0; i < 80; ++i)
        page += "<li><a href=\"/c/" + QByteArray::number(i) + "\">Category " +
                QByteArray::number(i) + "</a></li>";
    page += "</ul></nav>\n";
    page += article(random, pageBytes - int(page.size()) - 1024);
    return page + "<footer>Bench</footer></body></html>\n";
}

QString pagesFor(const QString& work, int count)
{
    const QString root = QDir(work).filePath(QStringLiteral("pages-%1").arg(count));
    const QString marker = QDir(root).filePath(QStringLiteral(".complete"));
    QFile done(marker);
    if (done.open(QIODevice::ReadOnly) && done.readAll() == QByteArray::number(pageVersion))
        return root;
    progress() << "generating " << count << " saved pages in " << root << Qt::endl;
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    for (int i = 0; i < count; ++i) {
        QFile file(QDir(root).filePath(QStringLiteral("dish-%1.html").arg(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(savedPage(i)) < 0) {
            progress() << "cannot write " << root << Qt::endl;
            std::exit(1);
        }
    }
    QFile write(marker);
    if (write.open(QIODevice::WriteOnly))
        write.write(QByteArray::number(pageVersion));
    return root;
}

struct Run
{
    double seconds = 0;
    double longestStallMs = 0;
    int written = 0;
};

Run importOnce(const QString& pages)
{
    QTemporaryDir target;
    Run run;
    RecipeImportJob job({pages}, target.path());
    QProgressDialog dialog(QStringLiteral("Importing recipes…"), QStringLiteral("Cancel"), 0, 0);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QObject::connect(&job, &RecipeImportJob::progress, &dialog, [&dialog](int done, int total) {
        dialog.setMaximum(total);
        dialog.setValue(done);
    });
    QEventLoop loop;
    QObject::connect(&job, &RecipeImportJob::finished, &loop, [&](const ImportSummary& summary) {
        run.written = int(summary.written.size());
        loop.quit();
    });
    // A 1 ms timer: the gaps between its ticks are the main thread's stalls.
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStallMs = qMax(run.longestStallMs, milliseconds(sinceTick));
        sinceTick.restart();
    });
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start();
    job.start();
    loop.exec();
    run.seconds = milliseconds(timer) / 1000.0;
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchOptions defaults;
    defaults.sizes = {1000};
    defaults.repeat = 3;
    defaults.work = QDir::temp().filePath(QStringLiteral("saltrove-bench"));
    const BenchOptions options =
        parseBenchOptions(app.arguments(), defaults,
                          "saltrove_importbench [--sizes 1000] [--repeat 3] [--work folder]");

    QTextStream out(stdout);
    out << "| saved pages | page size | import (s, median) | longest main-thread stall (ms) | "
           "peak RSS (MiB) | recipes written |\n|---|---|---|---|---|---|\n";
    for (const int count : options.sizes) {
        const QString pages = pagesFor(options.work, count);
        const qint64 pageSize =
            QFileInfo(QDir(pages).filePath(QStringLiteral("dish-0.html"))).size();
        QList<double> seconds;
        double stall = 0;
        int written = 0;
        for (int i = 0; i < options.repeat; ++i) {
            const Run run = importOnce(pages);
            progress() << count << " pages: " << run.seconds << " s, stall " << run.longestStallMs
                       << " ms" << Qt::endl;
            seconds << run.seconds;
            stall = qMax(stall, run.longestStallMs);
            written = run.written;
        }
        out << "| " << count << " | " << figure(pageSize / 1024.0, 0) << " KB | "
            << figure(median(seconds), 2) << " | " << figure(stall, 1) << " | "
            << figure(statusKiB("VmHWM") / 1024.0, 0) << " | " << written << " |\n";
    }
    return 0;
}
