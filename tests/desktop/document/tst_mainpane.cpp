#include "document/mainpane.h"
#include "support/desktoptesthelpers.h"

#include <QApplication>
#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

QTextBrowser* browserOf(MainPane& pane)
{
    return pane.findChild<QTextBrowser*>();
}

QString shown(MainPane& pane)
{
    return browserOf(pane)->toPlainText();
}

// The centre of the first occurrence of `text` in the pane, in viewport
// coordinates.
QPoint pointAt(MainPane& pane, const QString& text)
{
    QTextBrowser* browser = browserOf(pane);
    const QTextCursor found = browser->document()->find(text);
    if (found.isNull())
        return QPoint(-1, -1);
    QTextCursor middle(browser->document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    return browser->cursorRect(middle).center();
}

QByteArray longRecipe(const QByteArray& title)
{
    QByteArray text = "# " + title + "\n\n";
    for (int i = 0; i < 200; ++i)
        text += "Step " + QByteArray::number(i) + ": keep stirring.\n\n";
    return text;
}

// The size at which the view shows the first picture of its text.
QSizeF shownPictureSize(MainPane& pane)
{
    QTextDocument* document = browserOf(pane)->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QTextImageFormat image = format.toImageFormat();
            const QImage picture =
                document->resource(QTextDocument::ImageResource, QUrl(image.name()))
                    .value<QImage>();
            return QSizeF(
                image.hasProperty(QTextFormat::ImageWidth) ? image.width() : picture.width(),
                image.hasProperty(QTextFormat::ImageHeight) ? image.height() : picture.height());
        }
    }
    return QSizeF();
}

} // namespace

class MainPaneTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        testing::useTestIdentity();
        QVERIFY(dir.isValid());
    }

    void showsTheIntroductionWithoutARecipe_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty path") << QString();
        QTest::newRow("deleted recipe") << dir.filePath(QStringLiteral("deleted.recipe.md"));
    }

    void showsTheIntroductionWithoutARecipe()
    {
        QFETCH(QString, path);
        MainPane pane;
        QVERIFY(shown(pane).startsWith(QStringLiteral("Saltrove")));

        const QString recipe = testing::writeRecipe(dir.path(), QStringLiteral("x.recipe.md"),
                                                    QStringLiteral("Lentil Stew"));
        pane.openPath(recipe);
        QVERIFY(shown(pane).startsWith(QStringLiteral("Lentil Stew")));
        pane.openPath(path);
        QVERIFY(shown(pane).startsWith(QStringLiteral("Saltrove")));
        QVERIFY(browserOf(pane)->isReadOnly());
    }

    void aFolderGivesAnEmptyView()
    {
        MainPane pane;
        pane.openPath(dir.path());
        QCOMPARE(shown(pane), QString());
    }

    void rendersMarkdownAndShowsTheTop()
    {
        const QString first = dir.filePath(QStringLiteral("first.recipe.md"));
        const QString second = dir.filePath(QStringLiteral("second.recipe.md"));
        QVERIFY(testing::writeFile(first, longRecipe("Barley Soup")));
        QVERIFY(testing::writeFile(second, longRecipe("Oat Porridge")));

        MainPane pane;
        pane.resize(400, 300);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.openPath(first);
        // Rendered, not raw: the heading's marker is gone, and it is a heading.
        QVERIFY(shown(pane).startsWith(QStringLiteral("Barley Soup\n")));
        QCOMPARE(browserOf(pane)->document()->firstBlock().blockFormat().headingLevel(), 1);

        QScrollBar* scroll = browserOf(pane)->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        QTextCursor end = browserOf(pane)->textCursor();
        end.movePosition(QTextCursor::End);
        browserOf(pane)->setTextCursor(end);
        scroll->setValue(scroll->maximum());
        QVERIFY(scroll->value() > 0);

        pane.openPath(second);
        QVERIFY(shown(pane).startsWith(QStringLiteral("Oat Porridge")));
        QCOMPARE(browserOf(pane)->textCursor().position(), 0);
        QCOMPARE(scroll->value(), 0);

        // A new rendering of the same recipe, after a change on disk, starts
        // at the top as well.
        scroll->setValue(scroll->maximum());
        QVERIFY(testing::writeFile(second, longRecipe("Oat Porridge, creamier")));
        pane.openPath(second);
        QVERIFY(shown(pane).startsWith(QStringLiteral("Oat Porridge, creamier")));
        QCOMPARE(scroll->value(), 0);
    }

    void relativeImagesAreLookedUpNextToTheRecipe()
    {
        // Two recipes in different folders refer to an image of the same name.
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("breads"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("cakes"))));
        QImage small(7, 5, QImage::Format_RGB32);
        small.fill(Qt::red);
        QImage large(11, 13, QImage::Format_RGB32);
        large.fill(Qt::blue);
        QVERIFY(small.save(dir.filePath(QStringLiteral("breads/photo.png"))));
        QVERIFY(large.save(dir.filePath(QStringLiteral("cakes/photo.png"))));
        const QByteArray text = "# With a photo\n\n![photo](photo.png)\n";
        QVERIFY(testing::writeFile(dir.filePath(QStringLiteral("breads/rye.recipe.md")), text));
        QVERIFY(testing::writeFile(dir.filePath(QStringLiteral("cakes/sponge.recipe.md")), text));

        MainPane pane;
        pane.setRootPath(dir.path());
        QTextDocument* document = browserOf(pane)->document();
        pane.openPath(dir.filePath(QStringLiteral("breads/rye.recipe.md")));
        QImage image =
            document->resource(QTextDocument::ImageResource, QUrl("photo.png")).value<QImage>();
        QCOMPARE(image.size(), QSize(7, 5));

        pane.openPath(dir.filePath(QStringLiteral("cakes/sponge.recipe.md")));
        image = document->resource(QTextDocument::ImageResource, QUrl("photo.png")).value<QImage>();
        QCOMPARE(image.size(), QSize(11, 13));
    }

    // Pictures of the formats cookbooks use show; one wider than the view is
    // shown as wide as the view, in proportion, following the view's width;
    // a smaller one keeps its size.
    void picturesFitTheView_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("WebP") << "photo.webp" << QSize(40, 30);
        QTest::newRow("phone photo") << "phone.jpg" << QSize(3000, 1500);
        QTest::newRow("narrower than the view") << "small.png" << QSize(300, 200);
        QTest::newRow("wide WebP") << "wide.webp" << QSize(2400, 800);
    }

    void picturesFitTheView()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QTemporaryDir here;
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY2(picture.save(here.filePath(file)), "no image plugin writes this format");
        const QString path = here.filePath(QStringLiteral("pictured.recipe.md"));
        QVERIFY(testing::writeFile(path, "# Pictured\n\n![photo](" + file.toUtf8() + ")\n"));

        MainPane pane;
        QSignalSpy messages(&pane, &MainPane::notifySimple);
        pane.resize(600, 500);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.openPath(path);
        QTextBrowser* browser = browserOf(pane);
        for (const int width : {600, 900, 450}) {
            pane.resize(width, 500);
            QCoreApplication::processEvents();
            const QSizeF shown = shownPictureSize(pane);
            const qreal room = browser->viewport()->width();
            if (size.width() < room - 40) {
                QCOMPARE(shown, QSizeF(size));
                continue;
            }
            QVERIFY2(shown.width() <= room && shown.width() > room - 60,
                     qPrintable(QStringLiteral("%1 in %2").arg(shown.width()).arg(room)));
            QCOMPARE(qRound(shown.height()), qRound(shown.width() * size.height() / size.width()));
        }
        // Nothing about the picture needed saying.
        for (const QList<QVariant>& message : std::as_const(messages))
            QVERIFY(!message.first().toString().startsWith(QLatin1String("Cannot show")));
    }

    // A picture that is there but in a format no plugin reads says why.
    void unreadablePicturesSayWhy()
    {
        QTemporaryDir here;
        QVERIFY(
            testing::writeFile(here.filePath(QStringLiteral("photo.avif")), QByteArray("\0\0\0\x1c"
                                                                                       "ftypavif",
                                                                                       12)
                                                                                .repeated(20)));
        const QString path = here.filePath(QStringLiteral("pictured.recipe.md"));
        QVERIFY(testing::writeFile(path, "# Pictured\n\n![photo](photo.avif)\n\nAfter.\n"));
        MainPane pane;
        QSignalSpy messages(&pane, &MainPane::notifySimple);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.openPath(path);
        QTRY_VERIFY(!messages.isEmpty());
        QVERIFY2(messages.last().first().toString().startsWith(
                     QLatin1String("Cannot show the picture photo.avif: ")),
                 qPrintable(messages.last().first().toString()));
        QVERIFY(shown(pane).contains(QStringLiteral("After.")));
    }

    // Whatever a picture names, only regular files of a bounded size are read:
    // the rest of the recipe renders as usual and the picture stands as a
    // blank placeholder, instead of the view waiting on a FIFO for good or
    // reading a device until memory runs out.
    void picturesThatMustNotBeRead_data()
    {
        QTest::addColumn<QByteArray>("reference");
        QTest::addColumn<QString>("make");
        const QByteArray up = QByteArray("../").repeated(40);
        QTest::newRow("device by absolute path") << QByteArray("![x](/dev/zero)") << QString();
        QTest::newRow("device by relative path")
            << QByteArray("![x](" + up + "dev/zero)") << QString();
        QTest::newRow("FIFO beside the recipe")
            << QByteArray("![x](pipe.png)") << QStringLiteral("fifo");
        QTest::newRow("FIFO in raw HTML")
            << QByteArray("<p><img src=\"pipe.png\"></p>") << QStringLiteral("fifo");
        QTest::newRow("link to a device")
            << QByteArray("![x](zero.png)") << QStringLiteral("device link");
        QTest::newRow("file too large") << QByteArray("![x](big.png)") << QStringLiteral("large");
    }

    void picturesThatMustNotBeRead()
    {
        QFETCH(QByteArray, reference);
        QFETCH(QString, make);
        QTemporaryDir here;
        if (make == QStringLiteral("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(here.filePath("pipe.png")).constData(), 0600), 0);
        } else if (make == QStringLiteral("device link")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), here.filePath("zero.png")));
        } else if (make == QStringLiteral("large")) {
            QFile big(here.filePath("big.png"));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(qint64(40) << 20)); // sparse
        }
        const QString path = here.filePath(QStringLiteral("pictured.recipe.md"));
        QVERIFY(testing::writeFile(path, "# Pictured\n\nBefore the picture.\n\n" + reference +
                                             "\n\nAfter the picture.\n"));

        MainPane pane;
        pane.setRootPath(here.path());
        pane.resize(500, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.openPath(path);
        QCoreApplication::processEvents(); // lays out and paints, pictures included
        const bool html = reference.startsWith('<');
        // Qt's Markdown reader drops what follows raw HTML, whatever it names;
        // elsewhere the whole recipe is there.
        QVERIFY(shown(pane).contains(html ? QStringLiteral("Before the picture.")
                                          : QStringLiteral("After the picture.")));

        // What the view was given for the picture: the blank placeholder.
        QTextDocument* document = browserOf(pane)->document();
        QTextCursor image(document);
        QString name;
        while (!image.atEnd() && name.isEmpty()) {
            image.movePosition(QTextCursor::NextCharacter);
            if (image.charFormat().isImageFormat())
                name = image.charFormat().toImageFormat().name();
        }
        if (html)
            name = QStringLiteral("pipe.png"); // asked for as the view would ask
        QVERIFY(!name.isEmpty());
        const QVariant loaded = document->resource(QTextDocument::ImageResource, QUrl(name));
        QCOMPARE(loaded.value<QImage>().size(), QSize(1, 1));
    }

    // Clicked links are opened the same way as the active recipe: what cannot
    // be shown leaves an empty view, a file too large says so, and without a
    // collection folder a relative link names nothing at all.
    void linksThatCannotBeShown_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("withCollection");
        QTest::addColumn<QString>("expectedView");
        QTest::addColumn<QString>("expectedMessage");
        QTest::newRow("FIFO") << QStringLiteral("pipe.recipe.md") << true << QString() << QString();
        QTest::newRow("link to a device")
            << QStringLiteral("zero.recipe.md") << true << QString() << QString();
        QTest::newRow("file too large") << QStringLiteral("big.recipe.md") << true << QString()
                                        << QStringLiteral("big.recipe.md is too large to show "
                                                          "(1024.0 MiB)");
        QTest::newRow("no collection folder")
            << QStringLiteral("other.recipe.md") << false << QStringLiteral("Start") << QString();
    }

    void linksThatCannotBeShown()
    {
        QFETCH(QString, target);
        QFETCH(bool, withCollection);
        QFETCH(QString, expectedView);
        QFETCH(QString, expectedMessage);
        QTemporaryDir here;
        QCOMPARE(::mkfifo(QFile::encodeName(here.filePath("pipe.recipe.md")).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), here.filePath("zero.recipe.md")));
        QFile big(here.filePath("big.recipe.md"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(qint64(1) << 30)); // sparse
        big.close();
        testing::writeRecipe(here.path(), QStringLiteral("other.recipe.md"),
                             QStringLiteral("Other"));
        const QString start =
            testing::writeRecipe(here.path(), QStringLiteral("start.recipe.md"), "Start");

        MainPane pane;
        if (withCollection)
            pane.setRootPath(here.path());
        pane.openPath(start);
        QSignalSpy messages(&pane, &MainPane::notifySimple);
        emit browserOf(pane)->anchorClicked(QUrl(target));
        if (expectedView.isEmpty())
            QCOMPARE(shown(pane), QString());
        else
            QVERIFY(shown(pane).startsWith(expectedView));
        QCOMPARE(messages.count(), expectedMessage.isEmpty() ? 0 : 1);
        if (!expectedMessage.isEmpty())
            QCOMPARE(messages.at(0).at(0).toString(), expectedMessage);
    }

    void linksAreReportedAndRelativeOnesFollowed_data()
    {
        QTest::addColumn<QString>("rootPath");
        QTest::newRow("collection folder without slash") << dir.path();
        QTest::newRow("collection folder with slash") << dir.path() + QLatin1Char('/');
    }

    void linksAreReportedAndRelativeOnesFollowed()
    {
        QFETCH(QString, rootPath);
        // The link is written relative to the collection folder, not to the
        // folder of the recipe that holds it.
        QVERIFY(testing::writeFile(dir.filePath(QStringLiteral("sauces/Green Sauce.recipe.md")),
                                   "# Green Sauce\n\nHerbs and oil.\n"));
        const QString start = dir.filePath(QStringLiteral("mains/fish.recipe.md"));
        QVERIFY(testing::writeFile(start, "# Baked Fish\n\n"
                                          "Serve with [the sauce](sauces/Green%20Sauce.recipe.md) "
                                          "or see [the web](https://example.org/fish).\n"));

        MainPane pane;
        pane.resize(600, 400);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.setRootPath(rootPath);
        pane.openPath(start);
        QSignalSpy messages(&pane, &MainPane::notifySimple);
        QWidget* viewport = browserOf(pane)->viewport();

        const QPoint web = pointAt(pane, QStringLiteral("the web"));
        QTest::mouseMove(viewport, web);
        QTRY_VERIFY(!messages.isEmpty());
        QCOMPARE(messages.last().at(0).toString(), QStringLiteral("https://example.org/fish"));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, web);
        QVERIFY(shown(pane).startsWith(QStringLiteral("Baked Fish")));

        // Leaving the link clears the message.
        messages.clear();
        QTest::mouseMove(viewport, QPoint(viewport->width() - 2, viewport->height() - 2));
        QTRY_VERIFY(!messages.isEmpty());
        QCOMPARE(messages.last().at(0).toString(), QString());

        const QPoint sauce = pointAt(pane, QStringLiteral("the sauce"));
        QTest::mouseMove(viewport, sauce);
        QTRY_COMPARE(messages.last().at(0).toString(),
                     QStringLiteral("sauces/Green Sauce.recipe.md"));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, sauce);
        QTRY_VERIFY(shown(pane).startsWith(QStringLiteral("Green Sauce")));
    }

    void printPreviewShowsTheShownDocument_data()
    {
        QTest::addColumn<bool>("longRecipe");
        QTest::newRow("one page") << false;
        QTest::newRow("several pages") << true;
    }

    void printPreviewShowsTheShownDocument()
    {
        QFETCH(bool, longRecipe);
        const QString path = dir.filePath(QStringLiteral("preview.recipe.md"));
        QVERIFY(testing::writeFile(path, longRecipe ? ::longRecipe("Long") : "# Short\n"));
        MainPane pane;
        pane.openPath(path);
        int pages = 0;
        const bool answered = testing::answerModal<QPrintPreviewDialog>(
            [&] { pane.printPreview(); },
            [&](QPrintPreviewDialog* dialog) {
                pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
                dialog->reject();
            });
        QVERIFY(answered);
        if (longRecipe)
            QVERIFY(pages > 1);
        else
            QCOMPARE(pages, 1);
    }

    void printsOnlyWhenThePrintDialogIsAccepted_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("accepted") << int(QDialog::Accepted);
        QTest::newRow("rejected") << int(QDialog::Rejected);
    }

    void printsOnlyWhenThePrintDialogIsAccepted()
    {
        QFETCH(int, answer);
        MainPane pane;
        pane.openPath(testing::writeRecipe(dir.path(), QStringLiteral("print.recipe.md"),
                                           QStringLiteral("Printed Pie")));
        const QString pdf = dir.filePath(QStringLiteral("printed-%1.pdf").arg(answer));
        const bool answered = testing::answerModal<QPrintDialog>(
            [&] { pane.print(); },
            [&](QPrintDialog* dialog) {
                dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                dialog->printer()->setOutputFileName(pdf);
                dialog->done(answer);
            });
        QVERIFY(answered);
        QCOMPARE(QFile::exists(pdf), answer == QDialog::Accepted);
        if (answer == QDialog::Accepted) {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.read(5) == "%PDF-");
        }
    }
};

QTEST_MAIN(MainPaneTest)
#include "tst_mainpane.moc"
