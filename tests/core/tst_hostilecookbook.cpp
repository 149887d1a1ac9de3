// Cookbooks as a sync tool may leave them: the scan must finish, publish the
// right counts and leave every file exactly as it was.
#include "scanner.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A digest of every name, type, size, link target and content in the tree,
// hidden entries included, without following links.
QByteArray treeDigest(const QString& root)
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

struct Published
{
    bool arrived = false;
    QStringList titles;
    int tableSize = -1;
};

Published scan(const QString& root)
{
    Scanner scanner;
    QSignalSpy updated(&scanner, &Scanner::dataUpdated);
    scanner.setRootPath(root);
    Published result;
    result.arrived = updated.wait(120000);
    if (!result.arrived)
        return result;
    const auto model = scanner.titleModel();
    for (int row = 0; row < model->rowCount(); ++row)
        result.titles << model->index(row, 0).data().toString();
    result.tableSize = scanner.titlesByPath().size();
    return result;
}

} // namespace

class TestHostileCookbook : public QObject
{
    Q_OBJECT
private slots:
    void scanFinishesAndChangesNothing_data();
    void scanFinishesAndChangesNothing();
    void hundredThousandEmptyRecipesAndShutdownUnderLoad();
};

void TestHostileCookbook::scanFinishesAndChangesNothing_data()
{
    // Each row builds its cookbook in the given folder and names the titles
    // the scan must publish, in title order.
    using Setup = std::function<bool(const QString&)>;
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("binary file named like a recipe") << Setup([](const QString& root) {
        // Pseudo-random bytes without any line feed: one untitled recipe.
        QByteArray bytes;
        for (int i = 0; i < 65536; ++i)
            bytes += char(((i * 7919) & 0xFF) == '\n' ? 0 : (i * 7919) & 0xFF);
        return writeFile(root + "/blob.recipe.md", bytes) &&
               writeFile(root + "/ok.recipe.md", "# Fine\n");
    }) << QStringList{"", "Fine"};
    QTest::newRow("NUL bytes and invalid UTF-8") << Setup([](const QString& root) {
        static const char bytes[] = "# Nul\0led\n### Metadata\ntags: \xFF\xFE\n";
        return writeFile(root + "/nul.recipe.md", QByteArray(bytes, sizeof bytes - 1));
    }) << QStringList{QString::fromUtf8("Nul\0led", 7)};
    QTest::newRow("a single line of several megabytes") << Setup([](const QString& root) {
        return writeFile(root + "/wide.recipe.md", "# Wide\n" + QByteArray(6 << 20, 'w') + "\n");
    }) << QStringList{"Wide"};
    QTest::newRow("a 50 MB recipe") << Setup([](const QString& root) {
        QByteArray line(" * 1 kg flour, and some more words to make the line long\n");
        QByteArray body = "# Huge\n### Ingredients\n" + line.repeated((50 << 20) / line.size());
        return writeFile(root + "/huge.recipe.md", body);
    }) << QStringList{"Huge"};
    QTest::newRow("byte-order mark") << Setup([](const QString& root) {
        return writeFile(root + "/bom.recipe.md", "\xEF\xBB\xBF# Bom\n# Second\n");
    }) << QStringList{"Second"};
    QTest::newRow("FIFO named like a recipe") << Setup([](const QString& root) {
        return ::mkfifo(QFile::encodeName(root + "/pipe.recipe.md").constData(), 0600) == 0 &&
               writeFile(root + "/ok.recipe.md", "# Fine\n");
    }) << QStringList{"Fine"};
    QTest::newRow("symbolic link loop") << Setup([](const QString& root) {
        return writeFile(root + "/a/r.recipe.md", "# Inside\n") &&
               QFile::link(root + "/a", root + "/a/loop") && QFile::link("..", root + "/a/up");
    }) << QStringList{"Inside"};
    QTest::newRow("link to a folder outside") << Setup([](const QString& root) {
        return writeFile(root + "-outside/x.recipe.md", "# Outside\n") &&
               writeFile(root + "/in.recipe.md", "# In\n") &&
               QFile::link(root + "-outside", root + "/elsewhere");
    }) << QStringList{"In"};
    QTest::newRow("folders nested 200 deep") << Setup([](const QString& root) {
        QString path = root;
        for (int i = 0; i < 200; ++i)
            path += QStringLiteral("/d");
        return writeFile(path + "/deep.recipe.md", "# Deep\n") &&
               writeFile(root + "/top.recipe.md", "# Top\n");
    }) << QStringList{"Deep", "Top"};
    QTest::newRow("awkward file names") << Setup([](const QString& root) {
        return writeFile(root + "/with space.recipe.md", "# Space\n") &&
               writeFile(root + "/new\nline.recipe.md", "# Newline\n") &&
               writeFile(root + QString::fromUtf8("/\xE7\x82\x92\xE9\xA5\xAD.recipe.md"),
                         "# Fried rice\n") &&
               writeFile(root + QString::fromUtf8("/cre\xCC\x80me.recipe.md"), "# Decomposed\n");
    }) << QStringList{"Decomposed", "Fried rice", "Newline", "Space"};
    QTest::newRow("empty recipes") << Setup([](const QString& root) {
        for (int i = 0; i < 2000; ++i)
            if (!writeFile(root + QStringLiteral("/e%1.recipe.md").arg(i), QByteArray()))
                return false;
        return true;
    }) << QStringList(2000, QString());
}

void TestHostileCookbook::scanFinishesAndChangesNothing()
{
    using Setup = std::function<bool(const QString&)>;
    QFETCH(Setup, setup);
    QFETCH(QStringList, titles);

    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    const QString root = parent.filePath(QStringLiteral("cookbook"));
    QVERIFY(QDir().mkpath(root));
    QVERIFY(setup(root));
    const QByteArray before = treeDigest(parent.path());

    const Published published = scan(root);
    QVERIFY(published.arrived);
    QCOMPARE(published.titles, titles);
    QCOMPARE(published.tableSize, titles.size());
    QCOMPARE(treeDigest(parent.path()), before);
}

void TestHostileCookbook::hundredThousandEmptyRecipesAndShutdownUnderLoad()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    constexpr int count = 100000;
    for (int i = 0; i < count; ++i) {
        QFile file(root.filePath(QStringLiteral("%1/%2.recipe.md").arg(i % 100).arg(i)));
        if (i < 100)
            QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    const Published published = scan(root.path());
    QVERIFY(published.arrived);
    QCOMPARE(published.titles.size(), count);
    QCOMPARE(published.tableSize, count);

    // Destroying the Scanner mid-scan waits for that scan and delivers
    // nothing afterwards; LeakSanitizer checks that its models are freed.
    int delivered = 0;
    {
        Scanner scanner;
        connect(&scanner, &Scanner::dataUpdated, this, [&delivered] { ++delivered; });
        scanner.setRootPath(root.path());
    }
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 0);
}

QTEST_GUILESS_MAIN(TestHostileCookbook)
#include "tst_hostilecookbook.moc"
