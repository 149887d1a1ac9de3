// Cookbooks as a sync tool may leave them: the scan must finish, publish the
// right counts and leave every file exactly as it was.
#include "collection/scanner.h"
#include "support/hostilecookbooks.h"

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
    hostile::addCookbookRows("titles", hostile::Heavy::Included);
}

void TestHostileCookbook::scanFinishesAndChangesNothing()
{
    using Build = std::function<QString(const QString&)>;
    QFETCH(Build, build);
    QFETCH(QStringList, titles);

    QTemporaryDir parent;
    QVERIFY(parent.isValid());
    const QString root = build(parent.path());
    QVERIFY(!root.isEmpty());
    const QByteArray before = hostile::treeDigest(parent.path());

    const Published published = scan(root);
    QVERIFY(published.arrived);
    QCOMPARE(published.titles, titles);
    QCOMPARE(published.tableSize, titles.size());
    QCOMPARE(hostile::treeDigest(parent.path()), before);
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
