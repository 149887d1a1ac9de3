// The meal plan file, measured:
//
//   saltrove_planbench [--repeat 5] [--work DIR]
//
// A year's plan (365 days, three entries a day: labels, recipe links with
// blanks and other scripts percent-encoded, servings, factors and free text,
// with prose between days) in a cookbook's "meal-plan.md". Read: the core's
// readMealPlan(), beside the floor of reading and decoding the same file and
// splitting it into lines. Re-read: a MealPlanSession showing the plan reads
// it again after another device planned a meal. Write: planning one meal,
// which checks the file and writes it whole through QSaveFile.

#include "benchsupport.h"
#include "files/safefile.h"
#include "planning/mealplanfile.h"
#include "planning/mealplansession.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>

namespace {

const char* const recipeNames[] = {"Soups/red lentil dal", "Backen/Käse-Tarte",
                                   "和食/カレー ライス", "川菜/麻婆豆腐",
                                   "Plats/Bœuf bourguignon (Julia)"};

QString recipePath(const QString& folder, int i)
{
    return QDir(folder).filePath(QString::fromUtf8(recipeNames[i % 5]) +
                                 QStringLiteral(".recipe.md"));
}

void writeYear(const QString& folder, const QDate& first)
{
    for (int i = 0; i < 5; ++i) {
        const QString path = recipePath(folder, i);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("# Recipe\n\n### Ingredients\n\n * 1 kg potatoes\n\n"
                       "### Metadata\n\nservings: 4\n");
    }
    QString text = QStringLiteral("# Meal plan\n\nWhat we eat this year.\n");
    const QLocale locale(QLocale::German);
    for (int day = 0; day < 365; ++day) {
        const QDate date = first.addDays(day);
        text += QStringLiteral("\n## %1 %2\n\n")
                    .arg(date.toString(Qt::ISODate), locale.dayName(date.dayOfWeek()));
        const QString link = MealPlanFile::linkTo(folder, recipePath(folder, day));
        text += QStringLiteral("- Frühstück: Müsli mit Obst\n");
        text += QStringLiteral("- Mittag: [%1](%2) ×1½\n").arg(recipeNames[day % 5], link);
        text += QStringLiteral("- Abendessen: [%1](%2) for %3\n")
                    .arg(recipeNames[(day + 2) % 5],
                         MealPlanFile::linkTo(folder, recipePath(folder, day + 2)))
                    .arg(2 + day % 5);
        if (day % 7 == 0)
            text += QStringLiteral("\nEinkauf am Samstag.\n");
    }
    QFile file(QDir(folder).filePath(MealPlanFile::fileName()));
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
}

// The least any reader of the file pays: the bytes, decoded, in lines.
qsizetype readFloor(const QString& folder)
{
    const QByteArray bytes =
        SafeFile::readAll(QDir(folder).filePath(MealPlanFile::fileName()), MealPlanFile::sizeLimit);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return text.split(QLatin1Char('\n')).size();
}

struct Figures
{
    int entries = 0;
    qint64 bytes = 0;
    double readMedian = 0;
    double floorMedian = 0;
    double rereadMedian = 0;
    double writeMedian = 0;
    double writeMax = 0;
};

Figures measure(const BenchOptions& options)
{
    Figures figures;
    QTemporaryDir book;
    const QDate first(2026, 1, 1);
    writeYear(book.path(), first);
    figures.bytes = QFileInfo(book.filePath(MealPlanFile::fileName())).size();
    const int rounds = std::max(20, options.repeat * 10);
    QList<double> reads;
    QList<double> floors;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        figures.entries = int(readMealPlan(book.path()).size());
        reads << milliseconds(timer);
        timer.start();
        readFloor(book.path());
        floors << milliseconds(timer);
    }

    MealPlanSession shown;
    shown.setToday(first);
    shown.setCollectionPath(book.path());
    MealPlanSession other; // another device
    other.setCollectionPath(book.path());
    QList<double> rereads;
    QList<double> writes;
    for (int round = 0; round < rounds; ++round) {
        const QString day = first.addDays(round % 365).toString(Qt::ISODate);
        other.planRecipe(recipePath(book.path(), round), day, 2);
        QElapsedTimer timer;
        timer.start();
        shown.readFileIfChanged();
        rereads << milliseconds(timer);
        timer.start();
        shown.planRecipe(recipePath(book.path(), round + 1), day);
        writes << milliseconds(timer);
    }
    figures.readMedian = median(reads);
    figures.floorMedian = median(floors);
    figures.rereadMedian = median(rereads);
    figures.writeMedian = median(writes);
    figures.writeMax = *std::max_element(writes.cbegin(), writes.cend());
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The plan the sessions keep in the settings stays out of the user's.
    QStandardPaths::setTestModeEnabled(true);
    const BenchOptions options = parseBenchOptions(
        app.arguments(),
        {{0}, 5, QStringLiteral("/tmp/saltrove-planbench"), CookbookProfile::Standard},
        "saltrove_planbench [--repeat 5] [--work DIR]");

    const Figures f = measure(options);
    QTextStream out(stdout);
    out << "| entries | file bytes | readMealPlan median ms (≤ 20) | read floor median ms | "
           "readMealPlan / floor | session re-read after another's change median ms | "
           "plan one meal: median / max ms |\n|---:|---:|---:|---:|---:|---:|---:|\n"
        << "| " << f.entries << " | " << f.bytes << " | " << figure(f.readMedian, 2) << " | "
        << figure(f.floorMedian, 2) << " | "
        << figure(f.floorMedian > 0 ? f.readMedian / f.floorMedian : 0, 1) << " | "
        << figure(f.rereadMedian, 2) << " | " << figure(f.writeMedian, 2) << " / "
        << figure(f.writeMax, 2) << " |\n";
    return EXIT_SUCCESS;
}
