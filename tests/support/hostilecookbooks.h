#pragma once

// Cookbooks as a sync tool, a careless user or a broken disk may leave them,
// shared by the tests that scan them through each program: every program must
// finish its scan, publish the right titles and leave every file as it was.

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>
#include <vector>

#include <sys/stat.h>

namespace hostile {

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A digest of every name, type, size, link target and content in the tree,
// hidden entries included, without following links. FIFOs are never opened.
inline QByteArray treeDigest(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString entry = info.filePath() + QLatin1Char('|');
        if (info.isSymLink()) {
            entry += QStringLiteral("link>") + info.symLinkTarget();
        } else if (info.isFile()) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly)) {
                QCryptographicHash hash(QCryptographicHash::Sha256);
                hash.addData(&file);
                entry += QString::fromLatin1(hash.result().toHex());
            }
            entry += QLatin1Char('|') + QString::number(info.size());
        } else {
            entry += info.isDir() ? QStringLiteral("dir") : QStringLiteral("other");
        }
        entry += QLatin1Char('|') + QString::number(info.lastModified().toMSecsSinceEpoch());
        entries << entry;
    }
    entries.sort();
    return QCryptographicHash::hash(entries.join(QLatin1Char('\n')).toUtf8(),
                                    QCryptographicHash::Sha256);
}

struct Cookbook
{
    const char* name;
    // Builds the cookbook below `parent` and returns the path to scan (the
    // collection's root), or an empty string when it could not be built.
    std::function<QString(const QString& parent)> build;
    // The titles a scan publishes, in title order.
    QStringList titles;
    // Large enough to take seconds to build and scan; the programs' own tests
    // leave these to the scanner's.
    bool heavy = false;
};

// A cookbook in the folder "cookbook" below the parent, filled by `fill`.
inline std::function<QString(const QString&)> folder(std::function<bool(const QString&)> fill)
{
    return [fill = std::move(fill)](const QString& parent) {
        const QString root = parent + QStringLiteral("/cookbook");
        return QDir().mkpath(root) && fill(root) ? root : QString();
    };
}

inline std::vector<Cookbook> cookbooks()
{
    std::vector<Cookbook> all;
    all.push_back({"binary file named like a recipe", folder([](const QString& root) {
                       // Pseudo-random bytes without any line feed: one untitled recipe.
                       QByteArray bytes;
                       for (int i = 0; i < 65536; ++i)
                           bytes += char(((i * 7919) & 0xFF) == '\n' ? 0 : (i * 7919) & 0xFF);
                       return writeFile(root + "/blob.recipe.md", bytes) &&
                              writeFile(root + "/ok.recipe.md", "# Fine\n");
                   }),
                   QStringList{"", "Fine"}});
    all.push_back({"NUL bytes and invalid UTF-8", folder([](const QString& root) {
                       static const char bytes[] = "# Nul\0led\n### Metadata\ntags: \xFF\xFE\n";
                       return writeFile(root + "/nul.recipe.md",
                                        QByteArray(bytes, sizeof bytes - 1));
                   }),
                   QStringList{QString::fromUtf8("Nul\0led", 7)}});
    all.push_back({"a single line of several megabytes", folder([](const QString& root) {
                       return writeFile(root + "/wide.recipe.md",
                                        "# Wide\n" + QByteArray(6 << 20, 'w') + "\n");
                   }),
                   QStringList{"Wide"}});
    all.push_back({"a 50 MB recipe", folder([](const QString& root) {
                       QByteArray line(
                           " * 1 kg flour, and some more words to make the line long\n");
                       return writeFile(root + "/huge.recipe.md",
                                        "# Huge\n### Ingredients\n" +
                                            line.repeated((50 << 20) / line.size()));
                   }),
                   QStringList{"Huge"}, true});
    all.push_back({"byte-order mark", folder([](const QString& root) {
                       return writeFile(root + "/bom.recipe.md", "\xEF\xBB\xBF# Bom\n# Second\n");
                   }),
                   QStringList{"Second"}});
    all.push_back({"FIFO named like a recipe", folder([](const QString& root) {
                       return ::mkfifo(QFile::encodeName(root + "/pipe.recipe.md").constData(),
                                       0600) == 0 &&
                              writeFile(root + "/ok.recipe.md", "# Fine\n");
                   }),
                   QStringList{"Fine"}});
    // A recipe removed between the walk and its opening, made deterministic:
    // a link whose target is gone names a recipe that cannot be opened. The
    // walk lists files only, and a dangling link is none, so it is left out
    // like any recipe that cannot be opened.
    all.push_back({"dangling link named like a recipe", folder([](const QString& root) {
                       return QFile::link(root + "/gone/was.recipe.md",
                                          root + "/vanished.recipe.md") &&
                              writeFile(root + "/ok.recipe.md", "# Fine\n");
                   }),
                   QStringList{"Fine"}});
    // A cloned repository can carry links named like recipes to anything.
    all.push_back({"link named like a recipe to a device", folder([](const QString& root) {
                       return QFile::link("/dev/zero", root + "/zero.recipe.md") &&
                              QFile::link("/dev/null", root + "/null.recipe.md") &&
                              writeFile(root + "/ok.recipe.md", "# Fine\n");
                   }),
                   QStringList{"Fine"}});
    all.push_back({"link named like a recipe to a FIFO", folder([](const QString& root) {
                       return ::mkfifo(QFile::encodeName(root + "/pipe").constData(), 0600) == 0 &&
                              QFile::link(root + "/pipe", root + "/piped.recipe.md") &&
                              writeFile(root + "/ok.recipe.md", "# Fine\n");
                   }),
                   QStringList{"Fine"}});
    all.push_back({"link named like a recipe to a recipe", folder([](const QString& root) {
                       return writeFile(root + "/elsewhere/real.md", "# Linked\n") &&
                              QFile::link(root + "/elsewhere/real.md", root + "/alias.recipe.md") &&
                              writeFile(root + "/ok.recipe.md", "# Fine\n");
                   }),
                   QStringList{"Fine", "Linked"}});
    all.push_back({"symbolic link loop", folder([](const QString& root) {
                       return writeFile(root + "/a/r.recipe.md", "# Inside\n") &&
                              QFile::link(root + "/a", root + "/a/loop") &&
                              QFile::link("..", root + "/a/up");
                   }),
                   QStringList{"Inside"}});
    all.push_back({"link to a folder outside", folder([](const QString& root) {
                       return writeFile(root + "-outside/x.recipe.md", "# Outside\n") &&
                              writeFile(root + "/in.recipe.md", "# In\n") &&
                              QFile::link(root + "-outside", root + "/elsewhere");
                   }),
                   QStringList{"In"}});
    all.push_back({"folders nested 200 deep", folder([](const QString& root) {
                       QString path = root;
                       for (int i = 0; i < 200; ++i)
                           path += QStringLiteral("/d");
                       return writeFile(path + "/deep.recipe.md", "# Deep\n") &&
                              writeFile(root + "/top.recipe.md", "# Top\n");
                   }),
                   QStringList{"Deep", "Top"}});
    all.push_back({"awkward file names", folder([](const QString& root) {
                       return writeFile(root + "/with space.recipe.md", "# Space\n") &&
                              writeFile(root + "/new\nline.recipe.md", "# Newline\n") &&
                              writeFile(
                                  root + QString::fromUtf8("/\xE7\x82\x92\xE9\xA5\xAD.recipe.md"),
                                  "# Fried rice\n") &&
                              writeFile(root + QString::fromUtf8("/cre\xCC\x80me.recipe.md"),
                                        "# Decomposed\n");
                   }),
                   QStringList{"Decomposed", "Fried rice", "Newline", "Space"}});
    all.push_back(
        {"empty recipes", folder([](const QString& root) {
             for (int i = 0; i < 2000; ++i)
                 if (!writeFile(root + QStringLiteral("/e%1.recipe.md").arg(i), QByteArray()))
                     return false;
             return true;
         }),
         QStringList(2000, QString())});
    all.push_back({"root that is a recipe file, not a folder",
                   [](const QString& parent) {
                       const QString root = parent + QStringLiteral("/cookbook.recipe.md");
                       return writeFile(root, "# Lonely\n") ? root : QString();
                   },
                   QStringList()});
    return all;
}

enum class Heavy { Included, Left };

// The cookbooks as rows of the current test: the column "build" holds each
// one's build function, the column named `titlesColumn` the titles its scan
// publishes.
inline void addCookbookRows(const char* titlesColumn, Heavy heavy)
{
    QTest::addColumn<std::function<QString(const QString&)>>("build");
    QTest::addColumn<QStringList>(titlesColumn);
    for (const Cookbook& cookbook : cookbooks())
        if (heavy == Heavy::Included || !cookbook.heavy)
            QTest::newRow(cookbook.name) << cookbook.build << cookbook.titles;
}

} // namespace hostile
