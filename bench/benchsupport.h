#pragma once

#include "cookbook.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTextStream>

// What every benchmark program of this folder needs: progress on standard
// error, medians, timings, memory read from /proc, table figures and the
// generated cookbooks.

QTextStream& progress();
double median(QList<double> values);
double milliseconds(const QElapsedTimer& timer);
// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), or -1.
qint64 statusKiB(const char* field);
// A table figure; nothing measured (zero or less) shows as a dash.
QString figure(double value, int decimals = 1);

QString profileName(CookbookProfile profile);

// The options every benchmark program takes; each program gives its defaults.
struct BenchOptions
{
    QList<int> sizes;
    int repeat = 5;
    QString work;
    CookbookProfile profile = CookbookProfile::Standard;
};

// Reads --sizes, --repeat, --work and --profile over `defaults`. Anything else
// prints "usage: <usage>" and ends the process with status 2.
BenchOptions parseBenchOptions(const QStringList& arguments, BenchOptions defaults,
                               const char* usage);
// The cookbook of `count` recipes of `profile` below `work`, generated on
// first use and kept for the next run (100,000 recipes take a while); the
// marker is written last and names the generator's version. Ends the
// process when it cannot be written.
QString cookbookFor(const QString& work, int count,
                    CookbookProfile profile = CookbookProfile::Standard);
