// Reads every ingredient line of a generated cookbook as people write them
// (readIngredientLine), beside the format's own three-word rule
// (parseIngredientLine) on the same lines, on one thread, and prints the
// figures as a Markdown table. Timings only: nothing here judges them.
//
//   saltrove_linebench [--sizes 100000] [--repeat 5] [--work DIR]
//                      [--profile standard|heavy]

#include "benchsupport.h"
#include "files/safefile.h"
#include "recipe/ingredientreading.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipeparser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// Every line of the cookbook's ingredients sections, read beforehand so that
// only the reading of lines is timed.
QStringList ingredientLines(const QString& root)
{
    QStringList lines;
    QDirIterator files(root, {QStringLiteral("*.recipe.md")}, QDir::Files | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QBuffer buffer;
        buffer.setData(SafeFile::readAll(files.next()));
        buffer.open(QIODevice::ReadOnly);
        IngredientSections::forEachLine(
            &buffer, [&lines](QByteArrayView line) { lines.append(QString::fromUtf8(line)); });
    }
    return lines;
}

template<typename Read>
double timeOnce(const QStringList& lines, Read read, qsizetype* named)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype count = 0;
    for (const QString& line : lines)
        count += read(line) ? 1 : 0;
    const double elapsed = milliseconds(timer);
    *named = count;
    return elapsed;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    BenchOptions defaults;
    defaults.sizes = {100000};
    defaults.profile = CookbookProfile::Heavy;
    defaults.work = QDir::tempPath() + QStringLiteral("/saltrove-bench");
    const BenchOptions options = parseBenchOptions(
        app.arguments(), defaults,
        "saltrove_linebench [--sizes 100000] [--repeat 5] [--work DIR] [--profile heavy]");

    std::printf("| recipes (%s) | ingredient lines | readIngredientLine ms [≤ 1000 at 100,000 "
                "heavy] | ns / line | parseIngredientLine ms | ratio | lines named |\n",
                qPrintable(profileName(options.profile)));
    std::printf("|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const int size : options.sizes) {
        const QString root = cookbookFor(options.work, size, options.profile);
        const QStringList lines = ingredientLines(root);
        progress() << size << " recipes: " << lines.size() << " ingredient lines" << Qt::endl;
        QList<double> reading;
        QList<double> parsing;
        qsizetype named = 0;
        qsizetype accepted = 0;
        for (int round = 0; round < options.repeat; ++round) {
            reading.append(timeOnce(
                lines, [](const QString& line) { return !readIngredientLine(line).name.isEmpty(); },
                &named));
            parsing.append(timeOnce(
                lines,
                [](const QString& line) { return !parseIngredientLine(line).unit.isEmpty(); },
                &accepted));
        }
        const double read = median(reading);
        const double parsed = median(parsing);
        std::printf("| %d | %lld | %s | %s | %s | %s | %lld |\n", size, qlonglong(lines.size()),
                    qPrintable(figure(read)),
                    qPrintable(figure(lines.isEmpty() ? 0 : read * 1e6 / lines.size(), 0)),
                    qPrintable(figure(parsed)),
                    qPrintable(figure(parsed > 0 ? read / parsed : 0, 2)), qlonglong(named));
    }
    return EXIT_SUCCESS;
}
