#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglistfile.h"
#include "shopping/shoppinglistsettings.h"
#include "shopping/shoppingliststore.h"
#include "support/otherprocess.h"
#include "support/unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// How another device's sync tool or another program puts the file down.
enum class OtherWriter { SecondObject, ProcessInPlace, ProcessRenamingOver };

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFromAnotherProcess(const QString& path, const QByteArray& bytes, bool renameOver)
{
    return otherprocess::writeFile(path, bytes, renameOver);
}

QStringList rowTexts(const ShoppingListStore& store)
{
    QStringList texts;
    for (const ShoppingItem& item : store.items())
        texts.append((item.ticked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + item.text());
    for (const ShoppingFileRow& row : store.handRows())
        texts.append((row.ticked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + row.text);
    return texts;
}

QStringList titles(const ShoppingListStore& store)
{
    QStringList shown;
    for (int i = 0; i < store.list().size(); ++i)
        shown.append(store.list().entry(i).recipe.title);
    return shown;
}

} // namespace

Q_DECLARE_METATYPE(OtherWriter)

class ShoppingListStoreTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString soup;
    QString cake;

    QString listPath() const { return dir->filePath(ShoppingListFile::fileName()); }

    QString recipe(const QString& relative, const QByteArray& title, const QByteArray& ingredients,
                   const QByteArray& metadata = QByteArray())
    {
        const QString path = dir->filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeFile(path, "# " + title + "\n\n### Ingredients\n\n" + ingredients +
                            "\n### Directions\n\nStir it all.\n\n### Metadata\n\n" + metadata);
        return path;
    }

    void makeCookbook()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        soup = recipe(QStringLiteral("Soups/roasted tomato soup.recipe.md"), "Roasted Tomato Soup",
                      " * 1 kg ripe tomatoes\n * 3 onions\n * salt\n");
        cake = recipe(QStringLiteral("Kuchen/Zwiebelkuchen für Jürgen.recipe.md"), "Zwiebelkuchen",
                      " * 500 g Mehl\n * 2 onions\n", "servings: 4\n");
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
        QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
    }

    void init()
    {
        QSettings().clear();
        // Nothing to move from the settings unless a test says so.
        QSettings().setValue(QStringLiteral("ShoppingListFile/movedToFile"), true);
        makeCookbook();
    }

    void keepsTheListInTheCookbook()
    {
        ShoppingListStore store;
        store.setCollectionPath(dir->path());
        QVERIFY(store.keptInFile());
        QVERIFY(!QFile::exists(listPath())); // no file for an empty list
        QVERIFY(store.addRecipe(ShoppingIngredientReader::read(soup)));
        QVERIFY(!store.addRecipe(ShoppingIngredientReader::read(soup)));
        QVERIFY(store.addRecipe(ShoppingIngredientReader::read(cake)));
        store.setWantedServings(cake, 8);
        store.setTicked(QStringLiteral("salt"), true);
        QVERIFY(store.addHandRow(QStringLiteral("toilet paper")));
        // The merged rows as the list computes them, then the hand rows.
        QString rows;
        for (const ShoppingItem& item : store.items())
            rows += (item.ticked ? QStringLiteral("- [x] ") : QStringLiteral("- [ ] ")) +
                    item.text() + QLatin1Char('\n');
        QVERIFY(rows.contains(QStringLiteral("- [x] salt\n")));
        QCOMPARE(
            QString::fromUtf8(readFile(listPath())),
            QStringLiteral("# Shopping list\n\n## Recipes\n\n"
                           "- [Roasted Tomato Soup](Soups/roasted%20tomato%20soup.recipe.md) "
                           "×1\n- [Zwiebelkuchen](Kuchen/Zwiebelkuchen%20für%20Jürgen.recipe.md) "
                           "8 servings\n\n## To buy\n\n") +
                rows + QStringLiteral("- [ ] toilet paper\n"));

        // Another device, where the cookbook lies elsewhere, sees the same.
        QTemporaryDir elsewhere;
        QVERIFY(QDir().rename(dir->path(), elsewhere.filePath(QStringLiteral("Cookbook"))));
        const QString moved = elsewhere.filePath(QStringLiteral("Cookbook"));
        ShoppingListStore other;
        other.setCollectionPath(moved);
        QCOMPARE(titles(other), titles(store));
        QCOMPARE(rowTexts(other), rowTexts(store));
        QCOMPARE(other.list().entry(1).wantedServings, 8);
        QVERIFY(QDir().rename(moved, dir->path()));
    }

    void keepsWhatAnotherDeviceWroteMeanwhile_data()
    {
        QTest::addColumn<OtherWriter>("writer");
        QTest::newRow("second object") << OtherWriter::SecondObject;
        QTest::newRow("another process, in place") << OtherWriter::ProcessInPlace;
        QTest::newRow("another process, renaming over") << OtherWriter::ProcessRenamingOver;
    }

    // Without a chance to hear of the change (no event loop runs), the next
    // change still reads the file first and keeps the other's work.
    void keepsWhatAnotherDeviceWroteMeanwhile()
    {
        QFETCH(OtherWriter, writer);
        ShoppingListStore store;
        store.setCollectionPath(dir->path());
        store.addRecipe(ShoppingIngredientReader::read(soup));
        if (writer == OtherWriter::SecondObject) {
            ShoppingListStore other;
            other.setCollectionPath(dir->path());
            other.setTicked(QStringLiteral("onions"), true);
            QVERIFY(other.addHandRow(QStringLiteral("Klopapier")));
        } else {
            QByteArray text = readFile(listPath());
            QVERIFY(text.contains("- [ ] 3 onions\n"));
            text.replace("- [ ] 3 onions\n", "- [X] 3 Onions\n");
            text += "- [ ] Klopapier\n\nWritten on the phone.\n";
            QVERIFY(writeFromAnotherProcess(listPath(), text,
                                            writer == OtherWriter::ProcessRenamingOver));
        }
        store.addRecipe(ShoppingIngredientReader::read(cake));
        QCOMPARE(titles(store), (QStringList{"Roasted Tomato Soup", "Zwiebelkuchen"}));
        QVERIFY(store.list().ticked().contains(QStringLiteral("onions")));
        QCOMPARE(store.handRows().size(), 1);
        QCOMPARE(store.handRows().first().text, QStringLiteral("Klopapier"));
        const QByteArray written = readFile(listPath());
        QVERIFY(written.contains("Zwiebelkuchen"));
        QVERIFY(written.contains("- [x] 5 onions\n"));
        QVERIFY(written.contains("- [ ] Klopapier\n"));
        QCOMPARE(written.contains("Written on the phone.\n"), writer != OtherWriter::SecondObject);
    }

    void seesChangesOnDisk_data()
    {
        QTest::addColumn<bool>("renameOver");
        QTest::newRow("in place") << false;
        QTest::newRow("renamed over, again and again") << true;
    }

    void seesChangesOnDisk()
    {
        QFETCH(bool, renameOver);
        ShoppingListStore store;
        store.setCollectionPath(dir->path());
        store.addRecipe(ShoppingIngredientReader::read(soup));
        QSignalSpy replaced(&store, &ShoppingListStore::replaced);
        const QByteArray first = readFile(listPath());
        for (const char* row : {"- [x] 3 onions\n", "- [x] salt\n", "- [ ] salt\n"}) {
            QByteArray text = first;
            const QByteArray name = QByteArray(row).mid(6);
            text.replace("- [ ] " + name, row);
            replaced.clear();
            QVERIFY(writeFromAnotherProcess(listPath(), text, renameOver));
            QVERIFY(replaced.wait(5000));
            QVERIFY(rowTexts(store).contains(QString::fromUtf8(QByteArray(row).mid(2).chopped(1))));
        }
        // Our own writes are not taken for another's.
        store.addHandRow(QStringLiteral("bread"));
        QVERIFY(!store.readFileIfChanged());
        QVERIFY(readFile(listPath()).contains("- [ ] bread\n"));
    }

    void handRowsStayUntilTheUserRemovesThem()
    {
        ShoppingListStore store;
        store.setCollectionPath(dir->path());
        store.addHandRow(QStringLiteral("salt"));
        store.addHandRow(QStringLiteral("  bin   bags "));
        QVERIFY(!store.addHandRow(QStringLiteral("Bin bags")));
        QVERIFY(!store.addHandRow(QStringLiteral("   ")));
        store.setHandRowTicked(QStringLiteral("BIN BAGS"), true);
        store.addRecipe(ShoppingIngredientReader::read(soup));
        // The recipe's "salt" and the hand-written one are two rows, also for
        // a device that never knew which was which.
        ShoppingListStore stranger;
        stranger.setCollectionPath(dir->path());
        QCOMPARE(rowTexts(stranger), rowTexts(store));
        QCOMPARE(rowTexts(store).count(QStringLiteral("[ ] salt")), 2);
        store.removeRecipe(soup);
        store.rereadAll();
        ShoppingListStore reader;
        reader.setCollectionPath(dir->path());
        for (const ShoppingListStore* s : {&store, &reader})
            QCOMPARE(rowTexts(*s), (QStringList{"[ ] salt", "[x] bin bags"}));
        store.removeHandRow(QStringLiteral("salt"));
        QCOMPARE(rowTexts(store), QStringList{"[x] bin bags"});
        store.clear();
        QCOMPARE(rowTexts(store), QStringList());
        QVERIFY(!readFile(listPath()).contains("bin bags"));
    }

    void neverWritesAFileItCannotRead_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: a folder of that name
        QTest::addColumn<QString>("reason");
        QTest::newRow("Latin-1") << QByteArray("## To buy\n- [ ] Cr\xe8me fra\xee"
                                               "che\n")
                                 << "shopping-list.md is not UTF-8 text";
        QTest::newRow("over 1 MiB") << QByteArray("- [ ] rice\n").repeated(100000)
                                    << "shopping-list.md is larger than 1 MiB";
        QTest::newRow("a folder") << QByteArray() << "shopping-list.md cannot be read";
    }

    void neverWritesAFileItCannotRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        if (content.isEmpty())
            QVERIFY(QDir().mkdir(listPath()));
        else
            QVERIFY(writeFile(listPath(), content));
        ShoppingListStore store;
        QSignalSpy said(&store, &ShoppingListStore::message);
        store.setCollectionPath(dir->path());
        QVERIFY(!store.keptInFile());
        store.addRecipe(ShoppingIngredientReader::read(soup));
        store.addHandRow(QStringLiteral("milk"));
        store.setCollectionPath(dir->path());
        QCOMPARE(said.size(), 1);
        QCOMPARE(said.first().first().toString(),
                 QStringLiteral("The shopping list is kept on this computer only: ") + reason);
        if (content.isEmpty())
            QVERIFY(QFileInfo(listPath()).isDir());
        else
            QCOMPARE(readFile(listPath()), content);
        // Kept in the settings instead.
        ShoppingListStore later;
        QCOMPARE(titles(later), QStringList{"Roasted Tomato Soup"});
        QCOMPARE(later.handRows().size(), 1);
    }

    void aFileSpoiltWhileShownIsLeftAlone()
    {
        ShoppingListStore store;
        store.setCollectionPath(dir->path());
        store.addRecipe(ShoppingIngredientReader::read(soup));
        QSignalSpy said(&store, &ShoppingListStore::message);
        const QByteArray spoilt("- [ ] \xff\xfe broken\n");
        QVERIFY(writeFromAnotherProcess(listPath(), spoilt, true));
        QVERIFY(said.wait(5000));
        store.addHandRow(QStringLiteral("milk"));
        QCOMPARE(readFile(listPath()), spoilt);
        QCOMPARE(titles(store), QStringList{"Roasted Tomato Soup"});
        QCOMPARE(said.size(), 1);
    }

    void aFolderThatCannotBeWrittenIsLeftAlone()
    {
        SALTROVE_RUN_UNPRIVILEGED();
        QVERIFY(::chmod(QFile::encodeName(dir->path()).constData(), 0555) == 0);
        ShoppingListStore store;
        QSignalSpy said(&store, &ShoppingListStore::message);
        store.setCollectionPath(dir->path());
        store.addRecipe(ShoppingIngredientReader::read(soup));
        QVERIFY(!store.keptInFile());
        QVERIFY(!QFile::exists(listPath()));
        QCOMPARE(said.size(), 1);
        QVERIFY(said.first().first().toString().contains(dir->path()));
        ::chmod(QFile::encodeName(dir->path()).constData(), 0755);
    }

    void movesTheSettingsListIntoTheFileOnce()
    {
        QSettings().clear();
        ShoppingList kept;
        kept.add(ShoppingIngredientReader::read(cake));
        kept.setTicked(QStringLiteral("mehl"), true);
        ShoppingListSettings::save(kept);
        QSettings().setValue(QStringLiteral("ShoppingListFile/handRows"),
                             QStringList{"[ ] candles", "[x] matches"});
        writeFile(listPath(), "# Shopping list\n\n## To buy\n\n- [ ] bread\n");

        ShoppingListStore store;
        store.setCollectionPath(dir->path());
        QCOMPARE(titles(store), QStringList{"Zwiebelkuchen"});
        QCOMPARE(rowTexts(store), (QStringList{"[x] 500 g Mehl", "[ ] 2 onions", "[ ] bread",
                                               "[ ] candles", "[x] matches"}));
        QVERIFY(readFile(listPath()).contains("- [x] matches\n"));
        ShoppingList left;
        ShoppingListSettings::load(left);
        QCOMPARE(left.size(), 0);

        // Once: a second cookbook starts empty.
        QTemporaryDir second;
        ShoppingListStore next;
        next.setCollectionPath(second.path());
        QCOMPARE(rowTexts(next), QStringList());
        QVERIFY(!QFile::exists(second.filePath(ShoppingListFile::fileName())));
    }
};

QTEST_GUILESS_MAIN(ShoppingListStoreTest)
#include "tst_shoppingliststore.moc"
