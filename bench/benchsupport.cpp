#include "benchsupport.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdlib>

QTextStream& progress()
{
    static QTextStream err(stderr);
    return err;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

QString profileName(CookbookProfile profile)
{
    return profile == CookbookProfile::Heavy ? QStringLiteral("heavy") : QStringLiteral("standard");
}

QString cookbookFor(const QString& work, int count, CookbookProfile profile)
{
    // The standard cookbooks keep the folder names they always had.
    const QString root =
        profile == CookbookProfile::Standard
            ? QStringLiteral("%1/cookbook-%2").arg(work).arg(count)
            : QStringLiteral("%1/cookbook-%2-%3").arg(work, profileName(profile)).arg(count);
    const QString marker = root + QStringLiteral("/.complete-1");
    if (QFile::exists(marker))
        return root;
    progress() << "generating " << count << " recipes in " << root << Qt::endl;
    QDir(root).removeRecursively();
    if (!writeCookbook(root, count, profile) || !QFile(marker).open(QIODevice::WriteOnly)) {
        progress() << "cannot write " << root << Qt::endl;
        std::exit(EXIT_FAILURE);
    }
    return root;
}

qint64 statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString figure(double value, int decimals)
{
    return value > 0 ? QString::number(value, 'f', decimals) : QStringLiteral("–");
}

BenchOptions parseBenchOptions(const QStringList& arguments, BenchOptions options,
                               const char* usage)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString value = arguments.value(i + 1);
        if (argument == QLatin1String("--sizes")) {
            options.sizes.clear();
            for (const QString& size : value.split(QLatin1Char(',')))
                options.sizes << size.toInt();
            ++i;
        } else if (argument == QLatin1String("--repeat")) {
            options.repeat = std::max(1, value.toInt());
            ++i;
        } else if (argument == QLatin1String("--work")) {
            options.work = value;
            ++i;
        } else if (argument == QLatin1String("--profile") &&
                   (value == QLatin1String("standard") || value == QLatin1String("heavy"))) {
            options.profile = value == QLatin1String("heavy") ? CookbookProfile::Heavy
                                                              : CookbookProfile::Standard;
            ++i;
        } else {
            progress() << "usage: " << usage << Qt::endl;
            std::exit(2);
        }
    }
    return options;
}
