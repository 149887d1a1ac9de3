#include "recipe/recipeparser.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

// Ingredients flattened to "amount|unit|ingredient" so that failures print them.
QStringList describe(const QList<Ingredient>& ingredients)
{
    QStringList out;
    for (const Ingredient& i : ingredients)
        out << i.amount + QLatin1Char('|') + i.unit + QLatin1Char('|') + i.ingredient;
    return out;
}

// otherMeta flattened to "key=value1|value2" in key order.
QStringList describe(const QMap<QString, QStringList>& meta)
{
    QStringList out;
    for (auto it = meta.cbegin(); it != meta.cend(); ++it)
        out << it.key() + QLatin1Char('=') + it.value().join(QLatin1Char('|'));
    return out;
}

ParsedRecipe parseBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return parseRecipe(&buffer);
}

// The size of the pieces in which readLine(2000) hands over a long line.
int readLinePieceSize()
{
    QBuffer buffer;
    buffer.setData(QByteArray(5000, 'x'));
    buffer.open(QIODevice::ReadOnly);
    return int(buffer.readLine(2000).size());
}

QByteArray templateBytes()
{
    QFile file(QStringLiteral(":/docs/template.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A pipe whose writer has given one line and then nothing more, without
// closing: never at its end, and nothing to read.
class StalledDevice : public QIODevice
{
public:
    explicit StalledDevice(QByteArray first)
        : m_pending(std::move(first))
    {}
    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 size = qMin(maxSize, qint64(m_pending.size()));
        std::memcpy(data, m_pending.constData(), size_t(size));
        m_pending.remove(0, size);
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_pending;
};

int debugMessageCount = 0;
void countDebugMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtDebugMsg)
        ++debugMessageCount;
}

} // namespace

class TestRecipeParser : public QObject
{
    Q_OBJECT
private slots:
    void ingredientLine_data();
    void ingredientLine();
    void nonIngredientLinesGiveNullFields();

    void parse_data();
    void parse();

    void crLfGivesTheSameResultAsLf();
    void longLinesArriveInPiecesClassifiedAlone();
    void templateParsesToItsDocumentedResult();
    void readsFromTheCurrentPositionAndLeavesTheDeviceOpen();
    void nullDeviceSaysNoInput();
    void unreadableDevicesYieldAnEmptyRecordSilently();
    void worksOnSeveralThreadsAtOnce();
    void aDeviceWithNothingMoreToGiveEndsTheParse();
};

void TestRecipeParser::ingredientLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("ingredient");

    QTest::newRow("star bullet") << " * 1 kg flour"
                                 << "1"
                                 << "kg"
                                 << "flour";
    QTest::newRow("dash bullet") << "- 2 tbsp olive oil"
                                 << "2"
                                 << "tbsp"
                                 << "olive oil";
    QTest::newRow("comment after comma")
        << " * 2 pcs red bell pepper, alternatively yellow bell pepper"
        << "2"
        << "pcs"
        << "red bell pepper";
    QTest::newRow("several spaces") << " * 1  kg   flour"
                                    << "1"
                                    << "kg"
                                    << "flour";
    QTest::newRow("words before the bullet") << "Mix well - 2 cups water"
                                             << "2"
                                             << "cups"
                                             << "water";
    QTest::newRow("tab before the bullet") << "\t* 1 kg flour"
                                           << "1"
                                           << "kg"
                                           << "flour";
    QTest::newRow("line feed kept") << " * 1 kg flour\n"
                                    << "1"
                                    << "kg"
                                    << "flour";
    QTest::newRow("carriage return kept") << " * 1 kg flour\r\n"
                                          << "1"
                                          << "kg"
                                          << "flour";
    QTest::newRow("non-ASCII amount") << " * ½ l whole milk"
                                      << "½"
                                      << "l"
                                      << "whole milk";
    QTest::newRow("only the first comma counts") << " * 1 kg flour, sifted, fine"
                                                 << "1"
                                                 << "kg"
                                                 << "flour";
    QTest::newRow("tab inside the name") << " * 1 kg brown\tsugar"
                                         << "1"
                                         << "kg"
                                         << "brown\tsugar";
    QTest::newRow("name trims to empty") << " * 1 kg \n"
                                         << "1"
                                         << "kg"
                                         << "";
}

void TestRecipeParser::ingredientLine()
{
    QFETCH(QString, line);
    const Ingredient parsed = parseIngredientLine(line);
    QTEST(parsed.amount, "amount");
    QTEST(parsed.unit, "unit");
    QTEST(parsed.ingredient, "ingredient");
}

void TestRecipeParser::nonIngredientLinesGiveNullFields()
{
    const QStringList lines = {
        QStringLiteral(" * salt"),         QStringLiteral(" * 2 eggs"),
        QStringLiteral("*1 kg flour"),     QStringLiteral("+ 1 kg flour"),
        QStringLiteral(" * 1 kg , flour"), QStringLiteral(" * 1\tkg flour"),
        QStringLiteral("1 kg flour"),      QString(),
        QStringLiteral("### Ingredients"), QStringLiteral(" * 1 kg ,"),
    };
    for (const QString& line : lines) {
        const Ingredient parsed = parseIngredientLine(line);
        QVERIFY2(parsed.amount.isNull() && parsed.unit.isNull() && parsed.ingredient.isNull(),
                 qPrintable(QStringLiteral("'%1' was taken as an ingredient line").arg(line)));
    }
}

void TestRecipeParser::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("ingredients");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QStringList>("otherMeta");

    const QStringList none;

    QTest::newRow("empty file") << QByteArray() << "" << none << none << none;
    QTest::newRow("plain text only")
        << QByteArray("Just some words\n * 1 kg flour\ntags: a\n") << "" << none << none << none;
    QTest::newRow("the last title wins")
        << QByteArray("# First\n\ntext\n# Second\n") << "Second" << none << none << none;
    QTest::newRow("a title inside the directions")
        << QByteArray("# Stew\n### Directions\nCook.\n# Notes\n") << "Notes" << none << none
        << none;
    QTest::newRow("a title inside the metadata keeps the section")
        << QByteArray("### Metadata\n# Late title\nauthor: Ann\n") << "Late title" << none << none
        << QStringList{"author=Ann"};
    QTest::newRow("title of blanks only is empty")
        << QByteArray("# Stew\n#    \n") << "" << none << none << none;
    QTest::newRow("title trimmed")
        << QByteArray("#   Spaced out  \t\n") << "Spaced out" << none << none << none;
    QTest::newRow("byte-order mark before the title")
        << QByteArray("\xEF\xBB\xBF# Title\n") << "" << none << none << none;
    QTest::newRow("not title lines")
        << QByteArray("#Title\n## Title\n\t# Title\n # Title\n") << "" << none << none << none;
    QTest::newRow("title line without terminator")
        << QByteArray("# Last line") << "Last line" << none << none << none;
    QTest::newRow("invalid UTF-8 is replaced, parsing goes on")
        << QByteArray("# Bad \xFF\xFE title\n### Ingredients\n * 1 kg fl\xC3our\n")
        << QString::fromUtf8("Bad \xEF\xBF\xBD\xEF\xBF\xBD title")
        << QStringList{QString::fromUtf8("1|kg|fl\xEF\xBF\xBDour")} << none << none;

    QTest::newRow("ingredients section")
        << QByteArray("### Ingredients\n * 1 kg flour\n * salt\n- 2 tbsp olive oil\n"
                      " * 1 kg \n### Directions\n * 3 l water\n")
        << "" << QStringList{"1|kg|flour", "2|tbsp|olive oil"} << none << none;
    QTest::newRow("marker prefixes")
        << QByteArray("### Ingredienser\n * 1 kg flour\n### Directionz\n * 2 kg rye\n"
                      "### Meta data\nauthor: Ann\n")
        << "" << QStringList{"1|kg|flour"} << none << QStringList{"author=Ann"};
    QTest::newRow("not markers")
        << QByteArray("## Ingredients\n * 1 kg flour\n### ingredients\n * 1 kg rye\n"
                      " ### Ingredients\n * 1 kg oats\n#### Ingredients\n * 1 kg corn\n")
        << "" << none << none << none;
    QTest::newRow("ingredients run on without a directions marker")
        << QByteArray("### Ingredients\n * 1 kg flour\nStir in - 2 cups water\n") << ""
        << QStringList{"1|kg|flour", "2|cups|water"} << none << none;
    QTest::newRow("amount is not examined") << QByteArray("### Ingredients\n * some kg flour\n")
                                            << "" << QStringList{"some|kg|flour"} << none << none;

    QTest::newRow("tags") << QByteArray(
                                 "### Metadata\ntags: a, b\ntags: c,,d\ntags: e, ,f\ntags: g, g\n"
                                 "tags:\ntags:   \n")
                          << "" << none << QStringList{"a", "b", "c", "d", "e", "", "f", "g", "g"}
                          << none;
    QTest::newRow("the tags key is case-sensitive")
        << QByteArray("### Metadata\nTags: a\n") << "" << none << none << QStringList{"Tags=a"};
    QTest::newRow("repeated keys keep file order")
        << QByteArray("### Metadata\nauthor: Ann\nsource: book\nauthor: Bob\n") << "" << none
        << none << QStringList{"author=Ann|Bob", "source=book"};
    QTest::newRow("lines without value or colon add nothing")
        << QByteArray("### Metadata\nauthor:\nauthor:   \njust words\n\n") << "" << none << none
        << none;
    QTest::newRow("values keep their colons")
        << QByteArray("### Metadata\ntime: 1:30\nurl:  http://example.org/a  \n") << "" << none
        << none << QStringList{"time=1:30", "url=http://example.org/a"};
    QTest::newRow("empty key") << QByteArray("### Metadata\n: value\n  : other\n") << "" << none
                               << none << QStringList{"=value|other"};
    QTest::newRow("keys are trimmed") << QByteArray("### Metadata\n  serves  : 4\n") << "" << none
                                      << none << QStringList{"serves=4"};
    QTest::newRow("metadata before its marker is ignored")
        << QByteArray("author: Ann\n### Directions\ntags: x\n") << "" << none << none << none;
    QTest::newRow("metadata before ingredients")
        << QByteArray("### Metadata\ntags: quick\n### Ingredients\n * 1 kg flour\n") << ""
        << QStringList{"1|kg|flour"} << QStringList{"quick"} << none;
    QTest::newRow("repeated sections accumulate in file order")
        << QByteArray("### Ingredients\n * 1 kg flour\n### Metadata\ntags: a\n"
                      "### Ingredients\n * 2 l milk\n### Metadata\ntags: b\nauthor: Ann\n")
        << "" << QStringList{"1|kg|flour", "2|l|milk"} << QStringList{"a", "b"}
        << QStringList{"author=Ann"};
}

void TestRecipeParser::parse()
{
    QFETCH(QByteArray, bytes);
    const ParsedRecipe recipe = parseBytes(bytes);
    QTEST(recipe.title, "title");
    QTEST(describe(recipe.ingredients), "ingredients");
    QTEST(recipe.tags, "tags");
    QTEST(describe(recipe.otherMeta), "otherMeta");
}

void TestRecipeParser::crLfGivesTheSameResultAsLf()
{
    const QByteArray lf = templateBytes() + "# Other title\n### Metadata\nserves: 4\n";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    const ParsedRecipe a = parseBytes(lf);
    const ParsedRecipe b = parseBytes(crlf);
    QCOMPARE(b.title, a.title);
    QCOMPARE(describe(b.ingredients), describe(a.ingredients));
    QCOMPARE(b.tags, a.tags);
    QCOMPARE(describe(b.otherMeta), describe(a.otherMeta));
    QCOMPARE(a.otherMeta.value(QStringLiteral("serves")), QStringList{"4"});
}

void TestRecipeParser::longLinesArriveInPiecesClassifiedAlone()
{
    const int piece = readLinePieceSize();
    QVERIFY(piece > 100 && piece <= 2000);

    // A long title line: only its first piece is the title.
    const ParsedRecipe longTitle = parseBytes("# " + QByteArray(3 * piece, 'a') + "\n");
    QCOMPARE(longTitle.title, QString(piece - 2, QLatin1Char('a')));

    // A piece boundary that falls just before "# " makes the rest a title line.
    const ParsedRecipe split = parseBytes(QByteArray(piece, 'x') + "# Hidden\n");
    QCOMPARE(split.title, QStringLiteral("Hidden"));

    // ... and in the metadata section the rest is read as a metadata line.
    const ParsedRecipe meta =
        parseBytes("### Metadata\n" + QByteArray(piece, ' ') + "tags: deep\n");
    QCOMPARE(meta.tags, QStringList{"deep"});

    // A line of exactly one piece plus its terminator: the terminator arrives
    // as an empty content line and changes nothing.
    const ParsedRecipe exact =
        parseBytes("### Ingredients\n * 1 kg " + QByteArray(piece - 8, 'f') + "\n * 2 l milk\n");
    QCOMPARE(describe(exact.ingredients),
             (QStringList{"1|kg|" + QString(piece - 8, QLatin1Char('f')), "2|l|milk"}));
}

void TestRecipeParser::templateParsesToItsDocumentedResult()
{
    const QByteArray bytes = templateBytes();
    QVERIFY(!bytes.isEmpty());
    const ParsedRecipe recipe = parseBytes(bytes);
    QCOMPARE(recipe.title, QStringLiteral("Recipe title"));
    QCOMPARE(describe(recipe.ingredients), (QStringList{"1|kg|plain flour", "200|g|elk meat"}));
    QCOMPARE(recipe.tags, (QStringList{"template", "cooked", "oven"}));
    QCOMPARE(recipe.otherMeta.keys(), QStringList{"author"});
    const QStringList authors = recipe.otherMeta.value(QStringLiteral("author"));
    QCOMPARE(authors.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\S.* <[^<>\\s]+@[^<>\\s]+>$"))
                 .match(authors.first())
                 .hasMatch(),
             qPrintable(authors.first()));
}

void TestRecipeParser::readsFromTheCurrentPositionAndLeavesTheDeviceOpen()
{
    QBuffer buffer;
    buffer.setData("# Skipped\n### Metadata\ntags: a\n");
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    buffer.readLine();
    const ParsedRecipe recipe = parseRecipe(&buffer);
    QCOMPARE(recipe.title, QString());
    QCOMPARE(recipe.tags, QStringList{"a"});
    QVERIFY(buffer.isOpen());
    QVERIFY(buffer.atEnd());
}

void TestRecipeParser::nullDeviceSaysNoInput()
{
    QTest::ignoreMessage(QtDebugMsg, "no input");
    const ParsedRecipe recipe = parseRecipe(nullptr);
    QVERIFY(recipe.title.isEmpty() && recipe.ingredients.isEmpty() && recipe.tags.isEmpty() &&
            recipe.otherMeta.isEmpty());
}

void TestRecipeParser::unreadableDevicesYieldAnEmptyRecordSilently()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("closed.recipe.md"));
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(templateBytes());
    }
    QFile closed(path);
    QBuffer writeOnly;
    writeOnly.setData(templateBytes());
    QVERIFY(writeOnly.open(QIODevice::WriteOnly));

    debugMessageCount = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countDebugMessages);
    const ParsedRecipe fromClosed = parseRecipe(&closed);
    const ParsedRecipe fromWriteOnly = parseRecipe(&writeOnly);
    qInstallMessageHandler(previous);

    QCOMPARE(debugMessageCount, 0);
    for (const ParsedRecipe& recipe : {fromClosed, fromWriteOnly}) {
        QVERIFY(recipe.title.isEmpty());
        QVERIFY(recipe.ingredients.isEmpty());
        QVERIFY(recipe.tags.isEmpty());
        QVERIFY(recipe.otherMeta.isEmpty());
    }
}

void TestRecipeParser::worksOnSeveralThreadsAtOnce()
{
    // Each thread has its own compiled pattern; the results must not depend
    // on which thread parses.
    const QByteArray bytes = templateBytes();
    QList<QStringList> results(4);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back(QThread::create([&results, &bytes, i] {
            QStringList all;
            for (int round = 0; round < 50; ++round)
                all += describe(parseBytes(bytes).ingredients);
            results[i] = all;
        }));
        threads.back()->start();
    }
    for (auto& thread : threads)
        QVERIFY(thread->wait());
    for (const QStringList& result : results) {
        QCOMPARE(result.size(), 100);
        QCOMPARE(result.mid(0, 2), (QStringList{"1|kg|plain flour", "200|g|elk meat"}));
        QCOMPARE(result.count(QStringLiteral("200|g|elk meat")), 50);
    }
}

void TestRecipeParser::aDeviceWithNothingMoreToGiveEndsTheParse()
{
    StalledDevice device("# Partial\n### Metadata\ntags: soup\n");
    QVERIFY(device.open(QIODevice::ReadOnly));
    const ParsedRecipe recipe = parseRecipe(&device);
    QCOMPARE(recipe.title, QStringLiteral("Partial"));
    QCOMPARE(recipe.tags, QStringList{"soup"});
}

QTEST_GUILESS_MAIN(TestRecipeParser)
#include "tst_recipeparser.moc"
