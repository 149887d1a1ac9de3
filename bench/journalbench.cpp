// The cooking journal, measured:
//
//   saltrove_journalbench [--sizes 5000] [--repeat 5]
//
// A journal of N entries (5,000 is five years of cooking most days), spread
// over 400 recipes with names in several scripts, stars written three ways,
// notes on every other line and some prose between. Measured side by side in
// one run: the read floor (the file read and split into lines, nothing
// parsed), readCookingJournal(), the journal's reread (parse plus every
// recipe's history), and an append.

#include "benchsupport.h"
#include "files/recipelink.h"
#include "planning/cookingjournal.h"
#include "planning/cookingjournalfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace {

const QStringList recipeNames = {
    QStringLiteral("Soups/red lentil dal"),  QStringLiteral("Backen/Käse-Tarte"),
    QStringLiteral("川菜/麻婆豆腐"),         QStringLiteral("和食/肉じゃが"),
    QStringLiteral("Desserts/crème brûlée"), QStringLiteral("Pasta/pesto (old)"),
};

QByteArray journalText(int entries)
{
    QByteArray text = "# Cooking journal\n\nWhat we cooked, since we moved in.\n\n";
    const QDate first(2021, 12, 1);
    const char* stars[] = {"★★★★☆", "3/5", "*****", ""};
    for (int i = 0; i < entries; ++i) {
        const int recipe = (i * 37) % 400;
        const QString name = recipeNames.at(recipe % recipeNames.size()) +
                             QStringLiteral(" %1.recipe.md").arg(recipe);
        QByteArray line =
            "- " + first.addDays(i * 5 * 365 / entries).toString(Qt::ISODate).toUtf8() +
            " [Recipe " + QByteArray::number(recipe) + "](" +
            RecipeLink::linkTo(QStringLiteral("/book"), QStringLiteral("/book/") + name).toUtf8() +
            ") " + stars[i % 4];
        if (i % 2 == 0)
            line += " Halve the salt next time, and rest the dough longer.";
        text += line + "\n";
        if (i % 250 == 0)
            text += "\nSummer holidays: nothing cooked for three weeks.\n\n";
    }
    return text;
}

struct Figures
{
    qint64 bytes = 0;
    int entries = 0;
    double floorMedian = 0;
    double readMedian = 0;
    double readMax = 0;
    double rereadMedian = 0;
    double appendMedian = 0;
};

double timed(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return milliseconds(timer);
}

Figures measure(int entries, int repeat)
{
    Figures figures;
    QTemporaryDir book;
    const QString path = book.filePath(cookingJournalFileName());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(journalText(entries)) < 0)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    figures.bytes = QFileInfo(path).size();
    const QString recipe = book.filePath(QStringLiteral("pie.recipe.md"));
    QFile recipeFile(recipe);
    if (!recipeFile.open(QIODevice::WriteOnly) || recipeFile.write("# Pie\n") < 0)
        qFatal("cannot write %s", qPrintable(recipe));
    recipeFile.close();

    CookingJournal journal;
    journal.setCollectionPath(book.path());
    QList<double> floors, reads, rereads, appends;
    const int rounds = std::max(20, repeat * 10);
    for (int round = 0; round < rounds; ++round) {
        floors << timed([&] {
            QFile floor(path);
            if (floor.open(QIODevice::ReadOnly))
                figures.entries =
                    int(QString::fromUtf8(floor.readAll()).split(QLatin1Char('\n')).size());
        });
        reads << timed([&] { figures.entries = int(readCookingJournal(book.path()).size()); });
        rereads << timed([&] {
            journal.setCollectionPath(book.path()); // the same folder reads it again
        });
    }
    for (int round = 0; round < 10; ++round)
        appends << timed([&] { journal.markCooked(recipe, round % 6); });
    figures.floorMedian = median(floors);
    figures.readMedian = median(reads);
    figures.readMax = *std::max_element(reads.cbegin(), reads.cend());
    figures.rereadMedian = median(rereads);
    figures.appendMedian = median(appends);
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const BenchOptions options =
        parseBenchOptions(app.arguments(), {{5000}, 5, QString(), CookbookProfile::Standard},
                          "saltrove_journalbench [--sizes 5000] [--repeat 5]");
    QTextStream out(stdout);
    out << "| entries | file bytes | read floor ms | readCookingJournal: median / max ms (≤ 20) | "
           "ratio to floor | reread with histories ms | append ms |\n"
           "|---:|---:|---:|---:|---:|---:|---:|\n";
    for (int size : options.sizes) {
        const Figures f = measure(size, options.repeat);
        out << "| " << f.entries << " | " << f.bytes << " | " << figure(f.floorMedian, 2) << " | "
            << figure(f.readMedian, 2) << " / " << figure(f.readMax, 2) << " | "
            << figure(f.readMedian / std::max(f.floorMedian, 0.001), 1) << " | "
            << figure(f.rereadMedian, 2) << " | " << figure(f.appendMedian, 2) << " |\n";
    }
    return EXIT_SUCCESS;
}
