#include "browse/documentloader.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool isIntroduction(const QString& text)
{
    return text.startsWith(QStringLiteral("# Saltrove"));
}

} // namespace

class TestDocumentLoader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void newLoaderShowsIntroduction()
    {
        DocumentLoader loader;
        QVERIFY(loader.path().isEmpty());
        QVERIFY2(isIntroduction(loader.text()), qPrintable(loader.text().left(80)));
    }

    void textFollowsPath_data()
    {
        QTest::addColumn<QString>("name");     // inside the temporary folder
        QTest::addColumn<QString>("expected"); // "<intro>" for the introduction

        QTest::newRow("recipe, UTF-8, CRLF kept")
            << "soup.recipe.md" << QStringLiteral("# Crème brûlée\r\n\r\nSweet.\r\n");
        QTest::newRow("folder: exists but cannot be read") << "folder" << QString();
        QTest::newRow("nothing there") << "gone.recipe.md" << QStringLiteral("<intro>");
    }

    void textFollowsPath()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QVERIFY(writeFile(m_dir.filePath("soup.recipe.md"),
                          QStringLiteral("# Crème brûlée\r\n\r\nSweet.\r\n").toUtf8()));
        QVERIFY(QDir(m_dir.path()).mkpath("folder"));

        DocumentLoader loader;
        QSignalSpy changed(&loader, &DocumentLoader::changed);
        loader.setPath(m_dir.filePath(name));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(loader.path(), m_dir.filePath(name));
        if (expected == "<intro>")
            QVERIFY(isIntroduction(loader.text()));
        else
            QCOMPARE(loader.text(), expected);
    }

    void samePathIsNotAnnouncedAgain()
    {
        const QString path = m_dir.filePath("bread.recipe.md");
        QVERIFY(writeFile(path, "# Bread\n"));
        DocumentLoader loader;
        QSignalSpy changed(&loader, &DocumentLoader::changed);
        loader.setPath(path);
        loader.setPath(path);
        QCOMPARE(changed.count(), 1);
        // A recipe edited on disk is not announced by writing its path again;
        // a page showing it keeps the text it bound to.
        QVERIFY(writeFile(path, "# Better bread\n"));
        loader.setPath(path);
        QCOMPARE(changed.count(), 1);
        // Nothing is cached: a fresh read (a newly opened page) sees the edit.
        QCOMPARE(loader.text(), QStringLiteral("# Better bread\n"));
    }

    void emptyPathIsAnnouncedEveryTime()
    {
        DocumentLoader loader;
        QSignalSpy changed(&loader, &DocumentLoader::changed);
        loader.setPath(QString());
        loader.setPath(QString());
        QCOMPARE(changed.count(), 2);
        QVERIFY(isIntroduction(loader.text()));
    }

    void backToEmptyPathShowsIntroduction()
    {
        const QString path = m_dir.filePath("cake.recipe.md");
        QVERIFY(writeFile(path, "# Cake\n"));
        DocumentLoader loader;
        loader.setPath(path);
        QSignalSpy changed(&loader, &DocumentLoader::changed);
        loader.setPath(QString());
        QCOMPARE(changed.count(), 1);
        QVERIFY(isIntroduction(loader.text()));
    }
};

QTEST_GUILESS_MAIN(TestDocumentLoader)
#include "tst_documentloader.moc"
