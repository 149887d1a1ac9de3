#include "quantity/fraction.h"
#include "shopping/shoppinglistfile.h"

#include <QDir>

#include <QtTest>

namespace {

const QString folder = QStringLiteral("/home/ana/Cookbook");

QStringList nonBlankLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    return lines;
}

} // namespace

class ShoppingListFileTest : public QObject
{
    Q_OBJECT

private slots:
    // Files as people and other programs leave them: what we read, and that
    // writing them back loses no line.
    void readsAndWritesBackEveryLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("recipes"); // "path|title|servings|halves"
        QTest::addColumn<QStringList>("rows");    // "x text" or "  text"
        QTest::addColumn<bool>("unchanged");      // written back byte for byte

        QTest::newRow("as the program writes it")
            << QStringLiteral("# Shopping list\n\n## Recipes\n\n"
                              "- [Roasted Tomato Soup](Soups/roasted-tomato-soup.recipe.md) ×2\n"
                              "- [Yellow Split Pea Soup](Soups/yellow%20split%20pea.recipe.md) "
                              "4 servings\n\n## To buy\n\n- [ ] 2 kg ripe tomatoes\n"
                              "- [x] 6 pcs onions\n- [ ] toilet paper\n")
            << QStringList{"Soups/roasted-tomato-soup.recipe.md|Roasted Tomato Soup|0|4",
                           "Soups/yellow split pea.recipe.md|Yellow Split Pea Soup|4|0"}
            << QStringList{"  2 kg ripe tomatoes", "x 6 pcs onions", "  toilet paper"} << true;
        QTest::newRow("prose, other headings and foreign bullets")
            << QStringLiteral("# Einkaufsliste\n\nFür Samstag, bitte bis 10 Uhr.\n\n"
                              "## Recipes\n\nAus dem Kochbuch:\n\n"
                              "- [Zwiebelkuchen](Backen/Zwiebelkuchen%20vom%20Blech.recipe.md) "
                              "×1½\n- siehe auch Omas Heft\n\n"
                              "## To buy\n\n- [X] 500 g Mehl\n* [ ] Zwiebeln\n+ Milch\n\n"
                              "Nicht vergessen: Pfand zurückbringen.\n\n"
                              "## Notes\n\n- [ ] this box belongs to the notes\n")
            << QStringList{"Backen/Zwiebelkuchen vom Blech.recipe.md|Zwiebelkuchen|0|3"}
            << QStringList{"x 500 g Mehl", "  Zwiebeln", "  Milch"} << false;
        QTest::newRow("CJK names, CRLF line ends, no amount")
            << QStringLiteral("# 购物清单\r\n\r\n## Recipes\r\n\r\n- [番茄炒蛋](家常菜/番茄 "
                              "炒蛋.recipe.md)\r\n\r\n## To buy\r\n\r\n- [ ] 番茄 3个\r\n")
            << QStringList{"家常菜/番茄 炒蛋.recipe.md|番茄炒蛋|0|0"} << QStringList{"  番茄 3个"}
            << false;
        QTest::newRow("angle-bracket link, escaped title, servings in other words")
            << QStringLiteral("## recipes\n- [Mac \\[and\\] cheese](<../Other book/mac "
                              "cheese.recipe.md>) 1 serving\n- [Pad thai](pad-thai.recipe.md) "
                              "2 portions\n## TO BUY\n- [ ]\n-\n- [x]   butter  \n")
            << QStringList{"/home/ana/Other book/mac cheese.recipe.md|Mac [and] cheese|1|0",
                           "pad-thai.recipe.md|Pad thai|2|0"}
            << QStringList{"x butter"} << false;
        QTest::newRow("links that are no recipes stay prose")
            << QStringLiteral("# List\n\n## Recipes\n\n- [Blog](https://example.org/soup)\n"
                              "- [Notes](notes.md) ×2\n")
            << QStringList() << QStringList() << true;
        QTest::newRow("no sections of ours") << QStringLiteral("Just a note someone wrote.\n")
                                             << QStringList() << QStringList() << true;
    }

    void readsAndWritesBackEveryLine()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, recipes);
        QFETCH(QStringList, rows);
        QFETCH(bool, unchanged);

        const ShoppingListFile file = ShoppingListFile::parse(text, folder);
        QStringList readRecipes;
        for (const ShoppingFileRecipe& recipe : file.recipes) {
            const QString path = recipe.path.startsWith(folder + QLatin1Char('/'))
                                     ? recipe.path.mid(folder.size() + 1)
                                     : recipe.path;
            readRecipes.append(QStringLiteral("%1|%2|%3|%4")
                                   .arg(path, recipe.title)
                                   .arg(recipe.servings)
                                   .arg(recipe.factorHalves));
        }
        QCOMPARE(readRecipes, recipes);
        QStringList readRows;
        for (const ShoppingFileRow& row : file.rows)
            readRows.append((row.ticked ? QStringLiteral("x ") : QStringLiteral("  ")) + row.text);
        QCOMPARE(readRows, rows);

        const QString written = file.toText(folder);
        if (unchanged)
            QCOMPARE(written, text);
        // Every line that is not ours is there, in its order; ours are read
        // back the same.
        const ShoppingListFile again = ShoppingListFile::parse(written, folder);
        QCOMPARE(again.recipes.size(), file.recipes.size());
        QCOMPARE(again.rows.size(), file.rows.size());
        QStringList writtenLines = nonBlankLines(written);
        for (const QString& line : nonBlankLines(text)) {
            const bool ours =
                line.startsWith(QLatin1Char('-')) || line.startsWith('*') || line.startsWith('+');
            if (ours)
                continue;
            const qsizetype at = writtenLines.indexOf(line);
            QVERIFY2(at >= 0, qPrintable(line));
            writtenLines = writtenLines.mid(at + 1);
        }
        QCOMPARE(written.contains(QStringLiteral("\r\n")), text.contains(QStringLiteral("\r\n")));
        QVERIFY(written.endsWith(QLatin1Char('\n')));
        QVERIFY(nonBlankLines(written).contains(QStringLiteral("- siehe auch Omas Heft")) ||
                !text.contains(QStringLiteral("Omas Heft")));
    }

    void writesTheListsIntoTheirSections_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString lists = QStringLiteral("- [Tarte](Tarte%20Tatin.recipe.md) ×½\n");
        QTest::newRow("new file") << QString()
                                  << QStringLiteral("# Shopping list\n\n## Recipes\n\n") + lists +
                                         QStringLiteral(
                                             "\n## To buy\n\n- [ ] 3 apples\n- [x] string\n");
        QTest::newRow("only prose")
            << QStringLiteral("Kept for the market.\n")
            << QStringLiteral("Kept for the market.\n\n## Recipes\n\n") + lists +
                   QStringLiteral("\n## To buy\n\n- [ ] 3 apples\n- [x] string\n");
        QTest::newRow("rows section alone, recipes come first")
            << QStringLiteral("# Liste\n\n## To buy\n\n- [ ] old row\n")
            << QStringLiteral("# Liste\n\n## Recipes\n\n") + lists +
                   QStringLiteral("\n## To buy\n\n- [ ] 3 apples\n- [x] string\n");
        QTest::newRow("prose around the list keeps its side")
            << QStringLiteral("## To buy\nfrom the market:\n- [ ] a\ntext after\n## Recipes\n")
            << QStringLiteral("## To buy\n\nfrom the market:\n\n- [ ] 3 apples\n- [x] string\n\n"
                              "text after\n\n## Recipes\n\n") +
                   lists;
    }

    void writesTheListsIntoTheirSections()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        ShoppingListFile file = ShoppingListFile::parse(text, folder);
        file.recipes = {ShoppingFileRecipe{folder + QStringLiteral("/Tarte Tatin.recipe.md"),
                                           QStringLiteral("Tarte"), 0, 1}};
        file.rows = {ShoppingFileRow{QStringLiteral("3 apples"), false},
                     ShoppingFileRow{QStringLiteral("string"), true}};
        QCOMPARE(file.toText(folder), expected);
        // Written once more, the text stays as it is.
        QCOMPARE(ShoppingListFile::parse(expected, folder).toText(folder), expected);
    }

    void linksWorkFromTheFilesFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target"); // with the folder as "/home/ana/Cookbook"
        QTest::newRow("beside") << folder + "/soup.recipe.md"
                                << "soup.recipe.md"
                                << "/home/ana/Cookbook/soup.recipe.md";
        QTest::newRow("blanks") << folder + "/Soups/yellow split pea.recipe.md"
                                << "Soups/yellow%20split%20pea.recipe.md" << QString();
        QTest::newRow("accents and umlauts")
            << folder + "/Gâteaux/Crème brûlée für Jürgen.recipe.md"
            << "Gâteaux/Crème%20brûlée%20für%20Jürgen.recipe.md" << QString();
        QTest::newRow("CJK") << folder + "/家常菜/麻婆豆腐.recipe.md"
                             << "家常菜/麻婆豆腐.recipe.md" << QString();
        QTest::newRow("brackets, percent and hash")
            << folder + "/Tom (100% best) #1 [v2].recipe.md"
            << "Tom%20%28100%25%20best%29%20%231%20%5Bv2%5D.recipe.md" << QString();
        QTest::newRow("outside the folder") << "/home/ana/Other/bread.recipe.md"
                                            << "../Other/bread.recipe.md" << QString();
    }

    void linksWorkFromTheFilesFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, link);
        QFETCH(QString, target);
        QCOMPARE(ShoppingListFile::linkTo(folder, path), link);
        QCOMPARE(ShoppingListFile::pathOf(folder, link), target.isEmpty() ? path : target);
        // Read back from a written file, on a device where the folder lies
        // elsewhere.
        ShoppingListFile file;
        file.recipes = {ShoppingFileRecipe{path, QStringLiteral("A [title]"), 0, 2}};
        const QString elsewhere = QStringLiteral("/storage/emulated/0/Cookbook");
        const QString text = file.toText(folder);
        const ShoppingListFile read = ShoppingListFile::parse(text, elsewhere);
        QCOMPARE(read.recipes.size(), 1);
        QCOMPARE(read.recipes.first().path, QDir::cleanPath(elsewhere + QLatin1Char('/') +
                                                            QDir(folder).relativeFilePath(path)));
        QCOMPARE(read.recipes.first().title, QStringLiteral("A [title]"));
        QCOMPARE(read.recipes.first().factorHalves, 2);
    }

    void readsTheAmountWanted_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("servings");
        QTest::addColumn<int>("halves");
        QTest::newRow("times two") << "×2" << 0 << 4;
        QTest::newRow("x and a vulgar fraction") << "x1½" << 0 << 3;
        QTest::newRow("decimal") << "× 1.5" << 0 << 3;
        QTest::newRow("half") << "×½" << 0 << 1;
        QTest::newRow("a third is no half") << "×⅓" << 0 << 0;
        QTest::newRow("servings") << "6 Servings" << 6 << 0;
        QTest::newRow("one serving") << "1 serving" << 1 << 0;
        QTest::newRow("nothing") << "" << 0 << 0;
        QTest::newRow("words") << "for the party" << 0 << 0;
    }

    void readsTheAmountWanted()
    {
        QFETCH(QString, amount);
        QFETCH(int, servings);
        QFETCH(int, halves);
        const ShoppingListFile file = ShoppingListFile::parse(
            QStringLiteral("## Recipes\n- [Soup](soup.recipe.md) ") + amount, folder);
        QCOMPARE(file.recipes.size(), 1);
        QCOMPARE(file.recipes.first().servings, servings);
        QCOMPARE(file.recipes.first().factorHalves, halves);
        if (servings > 0 || halves > 0)
            QCOMPARE(ShoppingListFile::amountText(file.recipes.first()),
                     servings == 1  ? QStringLiteral("1 serving")
                     : servings > 0 ? QStringLiteral("%1 servings").arg(servings)
                                    : QStringLiteral("×") + Fraction(halves, 2).toDisplayString());
    }
};

QTEST_GUILESS_MAIN(ShoppingListFileTest)
#include "tst_shoppinglistfile.moc"
