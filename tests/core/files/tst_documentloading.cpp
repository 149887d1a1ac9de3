#include "files/documentloading.h"
#include "recipe/recipeparser.h"
#include "support/unprivileged.h"

#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(SafeFile::Status)

namespace {

QByteArray readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The Markdown headings of a document as "level text", outside fenced or
// indented code.
QStringList headings(const QString& text)
{
    static const QRegularExpression heading(QStringLiteral("^(#{1,6}) (.+)$"));
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = heading.match(line);
        if (match.hasMatch())
            out << QString::number(match.capturedLength(1)) + QLatin1Char(' ') + match.captured(2);
    }
    return out;
}

} // namespace

class TestDocumentLoading : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void fallsBackToTheIntroduction_data();
    void fallsBackToTheIntroduction();
    void returnsTheFileAsStored_data();
    void returnsTheFileAsStored();
    void folderGivesAnEmptyString();
    void unreadableFileGivesAnEmptyString();
    void onlyRegularFilesWithinTheLimitAreRead_data();
    void onlyRegularFilesWithinTheLimitAreRead();
    void readsTheFileAnewOnEveryCall();

    void templateIsByteExact();
    void templateCopyParsesToTheDocumentedResult();
    void introductionHasItsSectionsInOrder();
    void iconIsA256UnitSvg();

private:
    QTemporaryDir m_dir;
    QString m_intro;
};

void TestDocumentLoading::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_intro = QString::fromUtf8(readResource(QStringLiteral(":/docs/intro.md")));
    QVERIFY(m_intro.startsWith(QStringLiteral("# Saltrove\n")));
}

void TestDocumentLoading::fallsBackToTheIntroduction_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty path") << QString();
    QTest::newRow("empty but not null") << QStringLiteral("");
    QTest::newRow("never existed") << m_dir.filePath(QStringLiteral("nowhere.recipe.md"));
    const QString deleted = m_dir.filePath(QStringLiteral("deleted.recipe.md"));
    writeFile(deleted, "# Gone\n");
    QFile::remove(deleted);
    QTest::newRow("deleted recipe") << deleted;
    QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("no/such/dir/x.recipe.md"));
}

void TestDocumentLoading::fallsBackToTheIntroduction()
{
    QFETCH(QString, path);
    const QString text = loadDocumentText(path);
    QCOMPARE(text, m_intro);
    QCOMPARE(text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("# Saltrove"));
}

void TestDocumentLoading::returnsTheFileAsStored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("# Soup\n\nHot.\n") << "# Soup\n\nHot.\n";
    QTest::newRow("carriage returns kept")
        << QByteArray("# Soup\r\n\r\nHot.\r\n") << "# Soup\r\n\r\nHot.\r\n";
    QTest::newRow("no final line feed") << QByteArray("# Soup") << "# Soup";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("UTF-8") << QByteArray("# Crème brûlée ½\n")
                           << QString::fromUtf8("# Crème brûlée ½\n");
    QTest::newRow("invalid UTF-8 replaced") << QByteArray("a\xFF"
                                                          "b\n")
                                            << QString::fromUtf8("a\xEF\xBF\xBD"
                                                                 "b\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF# T\n") << QString::fromUtf8("\xEF\xBB\xBF# T\n");
}

void TestDocumentLoading::returnsTheFileAsStored()
{
    QFETCH(QByteArray, bytes);
    const QString path =
        m_dir.filePath(QStringLiteral("%1.recipe.md").arg(QTest::currentDataTag()));
    QVERIFY(writeFile(path, bytes));
    QTEST(loadDocumentText(path), "text");
}

void TestDocumentLoading::folderGivesAnEmptyString()
{
    QTemporaryDir folder;
    const QString text = loadDocumentText(folder.path());
    QVERIFY(text.isEmpty());
    QVERIFY(text.isNull());
}

void TestDocumentLoading::unreadableFileGivesAnEmptyString()
{
    SALTROVE_RUN_UNPRIVILEGED();
    const QString path = m_dir.filePath(QStringLiteral("locked.recipe.md"));
    QVERIFY(writeFile(path, "# Locked\n"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QVERIFY(loadDocumentText(path).isEmpty());
}

void TestDocumentLoading::onlyRegularFilesWithinTheLimitAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<SafeFile::Status>("status");
    QTest::addColumn<qint64>("size");
    using Status = SafeFile::Status;
    const qint64 limit = SafeFile::textSizeLimit;
    QTest::newRow("regular file") << "regular" << Status::Opened << qint64(7);
    QTest::newRow("empty file") << "empty" << Status::Opened << qint64(0);
    QTest::newRow("exactly at the limit") << "at limit" << Status::Opened << limit;
    QTest::newRow("one byte over the limit") << "over limit" << Status::TooLarge << limit + 1;
    QTest::newRow("link to a regular file") << "link" << Status::Opened << qint64(7);
    QTest::newRow("missing") << "missing" << Status::Missing << qint64(0);
    QTest::newRow("dangling link") << "dangling" << Status::Missing << qint64(0);
    QTest::newRow("folder") << "folder" << Status::NotRegular << qint64(0);
    QTest::newRow("FIFO") << "fifo" << Status::NotRegular << qint64(0);
    QTest::newRow("link to a FIFO") << "fifo link" << Status::NotRegular << qint64(0);
    QTest::newRow("character device") << "/dev/zero" << Status::NotRegular << qint64(0);
    QTest::newRow("link to a device") << "device link" << Status::NotRegular << qint64(0);
}

void TestDocumentLoading::onlyRegularFilesWithinTheLimitAreRead()
{
    QFETCH(QString, kind);
    QFETCH(SafeFile::Status, status);
    QFETCH(qint64, size);
    QTemporaryDir dir;
    const QString regular = dir.filePath(QStringLiteral("regular.recipe.md"));
    QVERIFY(writeFile(regular, "# Dish\n"));
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString path = dir.filePath(QStringLiteral("subject"));
    if (kind == QLatin1String("regular")) {
        path = regular;
    } else if (kind == QLatin1String("empty")) {
        QVERIFY(writeFile(path, QByteArray()));
    } else if (kind.endsWith(QLatin1String("limit"))) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(size)); // sparse
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(regular, path));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("fifo")) {
        path = fifo;
    } else if (kind == QLatin1String("fifo link")) {
        QVERIFY(QFile::link(fifo, path));
    } else if (kind == QLatin1String("/dev/zero")) {
        path = kind;
    } else if (kind == QLatin1String("device link")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    }

    SafeFile file(path);
    QCOMPARE(file.status(), status);
    QCOMPARE(file.size(), size);
    QCOMPARE(file.file().isOpen(), status == SafeFile::Status::Opened);

    const LoadedDocument loaded = loadDocument(path);
    QCOMPARE(loaded.status, status);
    switch (status) {
    case SafeFile::Status::Opened:
        QCOMPARE(loaded.text.size(), size);
        QVERIFY(!loaded.text.isNull());
        QCOMPARE(SafeFile::readAll(path).size(), size);
        break;
    case SafeFile::Status::Missing:
        QCOMPARE(loaded.text, m_intro);
        break;
    default:
        QVERIFY(loaded.text.isNull());
        QVERIFY(SafeFile::readAll(path).isNull());
        QCOMPARE(loaded.size, status == SafeFile::Status::TooLarge ? size : 0);
    }
}

void TestDocumentLoading::readsTheFileAnewOnEveryCall()
{
    const QString path = m_dir.filePath(QStringLiteral("changing.recipe.md"));
    QVERIFY(writeFile(path, "# One\n"));
    QCOMPARE(loadDocumentText(path), QStringLiteral("# One\n"));
    QVERIFY(writeFile(path, "# Two\n"));
    QCOMPARE(loadDocumentText(path), QStringLiteral("# Two\n"));
    QVERIFY(QFile::remove(path));
    QCOMPARE(loadDocumentText(path), m_intro);
}

void TestDocumentLoading::templateIsByteExact()
{
    const QByteArray bytes = readResource(QStringLiteral(":/docs/template.md"));
    QVERIFY(bytes.endsWith('\n'));
    QVERIFY(!bytes.contains('\r'));
    QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.takeLast(), QByteArray()); // after the final line feed
    const QList<QByteArray> expected = {
        "# Recipe title",
        "",
        "Some optional intro or story about the recipe",
        "",
        "### Ingredients",
        "",
        " * 1 kg plain flour",
        " * 200 g elk meat",
        " * salt",
        "",
        "### Directions",
        "",
        "Free text describing how to transform the ingredients into something useful",
        "",
        "### Metadata",
        "",
        "tags: template, cooked, oven",
        "",
    };
    QCOMPARE(lines.size(), 19);
    QCOMPARE(lines.mid(0, 18), expected);
    QVERIFY2(QRegularExpression(QStringLiteral("^author: \\S[^<>]*\\S <[^<>\\s@]+@[^<>\\s@]+>$"))
                 .match(QString::fromUtf8(lines.at(18)))
                 .hasMatch(),
             lines.at(18).constData());
}

void TestDocumentLoading::templateCopyParsesToTheDocumentedResult()
{
    const QString copy = m_dir.filePath(QStringLiteral("copy.recipe.md"));
    QVERIFY(QFile::copy(QStringLiteral(":/docs/template.md"), copy));
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), readResource(QStringLiteral(":/docs/template.md")));
    file.seek(0);
    const ParsedRecipe recipe = parseRecipe(&file);
    QCOMPARE(recipe.title, QStringLiteral("Recipe title"));
    QCOMPARE(recipe.ingredients.size(), 2);
    QCOMPARE(recipe.ingredients.at(0), (Ingredient{"1", "kg", "plain flour"}));
    QCOMPARE(recipe.ingredients.at(1), (Ingredient{"200", "g", "elk meat"}));
    QCOMPARE(recipe.tags, (QStringList{"template", "cooked", "oven"}));
    QCOMPARE(recipe.otherMeta.keys(), QStringList{"author"});
    QCOMPARE(recipe.otherMeta.value(QStringLiteral("author")).size(), 1);
}

void TestDocumentLoading::introductionHasItsSectionsInOrder()
{
    const QStringList expected = {
        "1 Saltrove",         "2 A cookbook",  "2 The desktop application",
        "3 Main pane",        "3 Recipe pane", "3 Tags pane",
        "3 Ingredients pane", "3 Title pane",  "3 Raw view pane",
        "3 Meta data pane",   "2 File Format", "4 Ingredients parsing",
        "4 Metadata parsing", "2 About",       "2 License",
    };
    // Panes added later describe themselves in level-3 sections right after
    // "Meta data pane"; the sections above keep their places.
    QStringList shown = headings(m_intro);
    const qsizetype added = shown.indexOf(QStringLiteral("3 Meta data pane")) + 1;
    QVERIFY(added > 0);
    QStringList panes;
    while (added < shown.size() && shown.at(added).startsWith(QStringLiteral("3 ")))
        panes.append(shown.takeAt(added));
    QCOMPARE(shown, expected);
    QCOMPARE(panes, (QStringList{"3 Find pane", "3 Shopping list pane", "3 The pantry", "3 Importing recipes",
                                 "3 Cooking mode", "3 Meal plan", "3 Cooking journal"}));
    // The examples that the format section explains, indented as code.
    for (const char* example : {"    # Fancy salad", "    tags: kid friendly, vegetarian",
                                "    * 2 pcs red bell pepper, alternatively yellow bell pepper"})
        QVERIFY2(m_intro.contains(QLatin1String(example)), example);
}

void TestDocumentLoading::iconIsA256UnitSvg()
{
    QImageReader reader(QStringLiteral(":/appicon.svg"));
    QCOMPARE(reader.format(), QByteArray("svg"));
    QCOMPARE(reader.size(), QSize(256, 256));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    // Handle at the top left, blade fading out towards the bottom right.
    QVERIFY(qAlpha(image.pixel(40, 40)) > 200);
    QVERIFY(qAlpha(image.pixel(250, 250)) < 30);
}

QTEST_MAIN(TestDocumentLoading)
#include "tst_documentloading.moc"
