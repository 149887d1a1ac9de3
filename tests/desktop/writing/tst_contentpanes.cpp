#include "document/mainpane.h"
#include "support/desktoptesthelpers.h"
#include "support/unprivileged.h"
#include "writing/metadatapane.h"
#include "writing/rawviewpane.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace testing;

namespace {

QString rawText(const RawViewPane& pane)
{
    return pane.findChild<QTextBrowser*>()->toPlainText();
}

QTreeView* treeOf(const MetaDataPane& pane)
{
    return pane.findChild<QTreeView*>();
}

// The metadata tree as lines, children indented by two blanks per level.
// Flags every item that could be edited or is expanded.
void describe(const QTreeView* view, const QModelIndex& parent, const QString& indent,
              QStringList& lines)
{
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        QString line = indent + index.data().toString();
        if (index.flags() & Qt::ItemIsEditable)
            line += QStringLiteral(" <editable>");
        if (view->isExpanded(index))
            line += QStringLiteral(" <expanded>");
        lines.append(line);
        describe(view, index, indent + QStringLiteral("  "), lines);
    }
}

QStringList metadataTree(const MetaDataPane& pane)
{
    QStringList lines;
    describe(treeOf(pane), QModelIndex(), QString(), lines);
    return lines;
}

QByteArray templateText()
{
    QFile file(QStringLiteral(":/docs/template.md"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ContentPanesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void theMetadataTreeShowsTheParse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("tree");

        QTest::newRow("the template") << templateText()
                                      << QStringList{"Recipe title",
                                                     "ingredients (2)",
                                                     "  plain flour",
                                                     "  elk meat",
                                                     "tags (3)",
                                                     "  template",
                                                     "  cooked",
                                                     "  oven",
                                                     "meta (1)",
                                                     "  author",
                                                     "    Jane Doe <jane.doe@example.org>"};
        QTest::newRow("one key twice")
            << QByteArray("# Stew\n\n### Metadata\n\nsource: grandmother\nserves: 4\n"
                          "source: the radio\n")
            << QStringList{"Stew",     "ingredients (0)", "tags (0)",
                           "meta (2)", "  serves",        "    4",
                           "  source", "    grandmother", "    the radio"};
        QTest::newRow("a title alone")
            << QByteArray("# Toast\n\nBread, toasted.\n")
            << QStringList{"Toast", "ingredients (0)", "tags (0)", "meta (0)"};
        QTest::newRow("repeated and empty tags")
            << QByteArray("# Salad\n\n### Metadata\n\ntags: raw, , raw\n")
            << QStringList{"Salad", "ingredients (0)", "tags (3)", "  raw",
                           "  ",    "  raw",           "meta (0)"};
        QTest::newRow("ingredients without a title")
            << QByteArray("Some soup.\n\n### Ingredients\n\n * 1 l stock\n * 2 pcs leeks, sliced\n")
            << QStringList{"", "ingredients (2)", "  stock", "  leeks", "tags (0)", "meta (0)"};
        QTest::newRow("metadata alone")
            << QByteArray("Nothing here.\n\n### Metadata\n\nauthor: nobody\n") << QStringList{};
        QTest::newRow("an empty file") << QByteArray() << QStringList{};
    }

    void theMetadataTreeShowsTheParse()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, tree);
        const QString path = folder.filePath(QStringLiteral("dish.recipe.md"));
        QVERIFY(writeFile(path, text));

        MetaDataPane pane;
        QVERIFY(treeOf(pane)->isHeaderHidden());
        QAbstractItemModelTester tester(treeOf(pane)->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Something shown before, so that an empty result must clear it.
        pane.openPath(writeRecipe(folder.path(), QStringLiteral("before.recipe.md"),
                                  QStringLiteral("Before"), {QStringLiteral("old")}));
        QCOMPARE(metadataTree(pane).value(0), QStringLiteral("Before"));

        pane.openPath(path);
        QCOMPARE(metadataTree(pane), tree);
    }

    void theRawViewShowsTheTextAsStored_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("markdown") << QByteArray("# Crêpes\n\n * 250 g flour\n\t**hot** pan\n")
                                  << QStringLiteral("# Crêpes\n\n * 250 g flour\n\t**hot** pan\n");
        QTest::newRow("not UTF-8")
            << QByteArray("# Caf\xe9 au lait\n") << QStringLiteral("# Caf\uFFFD au lait\n");
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void theRawViewShowsTheTextAsStored()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString path = folder.filePath(QStringLiteral("raw.recipe.md"));
        QVERIFY(writeFile(path, bytes));
        RawViewPane pane;
        pane.openPath(writeRecipe(folder.path(), QStringLiteral("before.recipe.md"),
                                  QStringLiteral("Before")));
        QVERIFY(rawText(pane).startsWith(QStringLiteral("# Before")));
        pane.openPath(path);
        QCOMPARE(rawText(pane), shown);
    }

    // Qt's search for a word boundary makes laying out a long run without
    // one take time growing with the square of its length (minutes for a few
    // megabytes). Both text views show such a recipe whole, wrapped anywhere,
    // and go back to wrapping at word boundaries for the next recipe.
    void longUnbrokenRunsAreShownWhole_data()
    {
        QTest::addColumn<QString>("body");
        // What the rendered view displays of the body; the raw view shows it all.
        QTest::addColumn<QString>("displayed");
        QTest::addColumn<bool>("rawWrapsAnywhere");
        QTest::addColumn<bool>("renderedWrapsAnywhere");
        const QString wide(3 << 20, QLatin1Char('w'));
        QTest::newRow("three megabytes without a space") << wide << wide << true << true;
        const QString justLonger =
            QStringLiteral("a ") + QString(1001, QLatin1Char('x')) + QStringLiteral(" b");
        QTest::newRow("a run just longer than a word") << justLonger << justLonger << true << true;
        const QString words = QStringLiteral("pepper ").repeated(100000).trimmed();
        QTest::newRow("a long paragraph of words") << words << words << false << false;
        const QString longest(1000, QLatin1Char('x'));
        QTest::newRow("a run as long as a word may be") << longest << longest << false << false;
        // Link targets and embedded images are never displayed as text.
        QTest::newRow("a long link target")
            << QStringLiteral("see [the notes](") + QString(5000, QLatin1Char('n')) +
                   QStringLiteral(") here")
            << QStringLiteral("see the notes here") << true << false;
        QTest::newRow("an embedded image")
            << QStringLiteral("look ![dot](data:image/png;base64,") +
                   QString(20000, QLatin1Char('A')) + QStringLiteral(") there")
            << QStringLiteral("look") << true << false;
    }

    void longUnbrokenRunsAreShownWhole()
    {
        QFETCH(QString, body);
        QFETCH(QString, displayed);
        QFETCH(bool, rawWrapsAnywhere);
        QFETCH(bool, renderedWrapsAnywhere);
        const QString text = QStringLiteral("# Wide\n\n") + body + QStringLiteral("\n");
        const QString wide = folder.filePath(QStringLiteral("wide.recipe.md"));
        QVERIFY(writeFile(wide, text.toUtf8()));
        const QString plain =
            writeRecipe(folder.path(), QStringLiteral("plain.recipe.md"), QStringLiteral("Plain"));

        MainPane main;
        RawViewPane raw;
        main.resize(400, 300);
        raw.resize(400, 300);
        main.show();
        raw.show();
        QVERIFY(QTest::qWaitForWindowExposed(&raw));
        struct View
        {
            QTextBrowser* browser;
            bool wrapsAnywhere;
            QString shows;
        };
        const View views[] = {{main.findChild<QTextBrowser*>(), renderedWrapsAnywhere, displayed},
                              {raw.findChild<QTextBrowser*>(), rawWrapsAnywhere, body}};
        for (const QString& path : {plain, wide, plain}) {
            main.openPath(path);
            raw.openPath(path);
            QCoreApplication::processEvents(); // lays out and paints what was opened
            for (const View& view : views) {
                const bool anywhere = path == wide && view.wrapsAnywhere;
                QCOMPARE(view.browser->wordWrapMode(),
                         anywhere ? QTextOption::WrapAnywhere
                                  : QTextOption::WrapAtWordBoundaryOrAnywhere);
                QCOMPARE(view.browser->document()->toPlainText().contains(view.shows),
                         path == wide);
            }
        }
    }

    // A path with nothing behind it clears the content panes (the recipe view
    // shows the introduction); one that is there but cannot be read (a folder
    // the folder pane announced, a file without permission, a FIFO or a
    // device however it is reached, a file too large to show) clears the
    // parse and the recipe view but leaves the last readable text in the raw
    // view. Nothing waits on a FIFO or reads a device.
    void pathsThatCannotBeShown_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("thereButUnreadable");
        QTest::newRow("no recipe") << QStringLiteral("empty") << false;
        QTest::newRow("missing file") << QStringLiteral("missing") << false;
        QTest::newRow("folder") << QStringLiteral("folder") << true;
        QTest::newRow("unreadable file") << QStringLiteral("unreadable") << true;
        QTest::newRow("FIFO") << QStringLiteral("fifo") << true;
        QTest::newRow("link to a FIFO") << QStringLiteral("fifo link") << true;
        QTest::newRow("device") << QStringLiteral("/dev/zero") << true;
        QTest::newRow("link to a device") << QStringLiteral("device link") << true;
        QTest::newRow("file too large to show") << QStringLiteral("large") << true;
    }

    void pathsThatCannotBeShown()
    {
        QFETCH(QString, kind);
        QFETCH(bool, thereButUnreadable);
        QTemporaryDir here;
        QString path;
        const QString fifo = here.filePath(QStringLiteral("pipe.recipe.md"));
        if (kind == QStringLiteral("missing")) {
            path = here.filePath(QStringLiteral("gone.recipe.md"));
        } else if (kind == QStringLiteral("folder")) {
            path = here.filePath(QStringLiteral("Soups"));
            QVERIFY(QDir(here.path()).mkpath(QStringLiteral("Soups")));
        } else if (kind == QStringLiteral("unreadable")) {
            SALTROVE_RUN_UNPRIVILEGED();
            path = writeRecipe(here.path(), QStringLiteral("secret.recipe.md"),
                               QStringLiteral("Secret"), {QStringLiteral("hidden")});
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
            if (QFile file(path); file.open(QIODevice::ReadOnly))
                QSKIP("This user can read files without read permission");
        } else if (kind.startsWith(QStringLiteral("fifo"))) {
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            path = fifo;
            if (kind == QStringLiteral("fifo link")) {
                path = here.filePath(QStringLiteral("link.recipe.md"));
                QVERIFY(QFile::link(fifo, path));
            }
        } else if (kind == QStringLiteral("/dev/zero")) {
            path = kind;
        } else if (kind == QStringLiteral("device link")) {
            path = here.filePath(QStringLiteral("zero.recipe.md"));
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else if (kind == QStringLiteral("large")) {
            path = here.filePath(QStringLiteral("large.recipe.md"));
            QFile large(path);
            QVERIFY(large.open(QIODevice::WriteOnly));
            QVERIFY(large.write("# Large\n") > 0);
            QVERIFY(large.resize(qint64(17) << 20)); // sparse: no disk space used
        }

        const QString shown = writeRecipe(here.path(), QStringLiteral("shown.recipe.md"),
                                          QStringLiteral("Shown"), {QStringLiteral("tag")});
        MainPane main;
        RawViewPane raw;
        MetaDataPane meta;
        raw.openPath(shown);
        meta.openPath(shown);
        QVERIFY(rawText(raw).startsWith(QStringLiteral("# Shown")));
        QCOMPARE(metadataTree(meta).size(), 5);

        QSignalSpy messages(&main, &MainPane::notifySimple);
        main.openPath(path);
        raw.openPath(path);
        meta.openPath(path);
        QCOMPARE(rawText(raw).startsWith(QStringLiteral("# Shown")), thereButUnreadable);
        if (!thereButUnreadable)
            QCOMPARE(rawText(raw), QString());
        QCOMPARE(metadataTree(meta), QStringList());
        const QString rendered = main.findChild<QTextBrowser*>()->toPlainText();
        if (thereButUnreadable)
            QCOMPARE(rendered, QString());
        else
            QVERIFY(rendered.startsWith(QStringLiteral("Saltrove")));
        const QStringList expectedMessages =
            kind == QStringLiteral("large")
                ? QStringList{QStringLiteral("large.recipe.md is too large to show (17.0 MiB)")}
                : QStringList();
        QStringList sent;
        for (const QList<QVariant>& message : messages)
            sent << message.at(0).toString();
        QCOMPARE(sent, expectedMessages);
    }
};

QTEST_MAIN(ContentPanesTest)
#include "tst_contentpanes.moc"
