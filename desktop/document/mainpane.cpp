#include "document/mainpane.h"

#include "document/recipedocument.h"
#include "document/textwrapping.h"
#include "files/documentloading.h"
#include "text/markdownrendering.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace {

// Room beside a fitted picture, for the frame of the text around it.
constexpr qreal pictureMargin = 4;

} // namespace

MainPane::MainPane(QWidget* parent)
    : PaneBase(parent)
    , document(std::make_unique<RecipeDocument>())
{
    auto layout = std::make_unique<QHBoxLayout>();
    auto view = std::make_unique<QTextBrowser>();
    view->setReadOnly(true);
    view->setDocument(document.get());
    // Links are handled here: relative ones lead to other recipes of the
    // collection, everything else is left alone.
    view->setOpenLinks(false);
    connect(view.get(), &QTextBrowser::highlighted, this,
            [this](const QUrl& url) { emit notifySimple(url.toString()); });
    connect(view.get(), &QTextBrowser::anchorClicked, this, &MainPane::followLink);
    browser = view.get();
    browser->installEventFilter(this);
    // Fitting pictures to the view changes formats; nothing is ever undone.
    document->setUndoRedoEnabled(false);
    connect(document.get(), &RecipeDocument::pictureRefused, this,
            [this](const QString& name, const QString& reason) {
                emit notifySimple(
                    QStringLiteral("Cannot show the picture %1: %2").arg(name, reason));
            });
    layout->addWidget(view.release());
    setLayout(layout.release());
    openPath(QString());
}

// The browser goes with the child widgets only after this body, and it must
// not outlive the document it shows.
MainPane::~MainPane()
{
    delete browser;
}

void MainPane::setRootPath(const QString& path)
{
    rootPath = path;
}

void MainPane::openPath(const QString& path)
{
    const LoadedDocument loaded = loadDocument(path);
    if (loaded.status == SafeFile::Status::TooLarge)
        emit notifySimple(tooLargeMessage(path, loaded.size));
    // Images and other relative references resolve next to the recipe file.
    document->setBaseUrl(QUrl::fromLocalFile(path));
    renderWithWrapping(*browser, [this, &loaded] { renderMarkdown(*document, loaded.text); });
    pictures.collect(*document);
    fitPicturesToView();
    QTextCursor cursor = browser->textCursor();
    cursor.setPosition(0);
    browser->setTextCursor(cursor);
}

void MainPane::followLink(const QUrl& url)
{
    if (!url.isRelative())
        return;
    const QString linked = url.path(QUrl::FullyDecoded);
    if (linked.isEmpty()) {
        // A link to a heading of the same document.
        if (url.hasFragment())
            browser->scrollToAnchor(url.fragment(QUrl::FullyDecoded));
        return;
    }
    // Links name files inside the collection folder, whether or not the
    // folder was given with a trailing slash. Without a collection folder
    // they name nothing (not files beside the working folder).
    if (rootPath.isEmpty())
        return;
    openPath(QDir::cleanPath(QDir(rootPath).filePath(linked)));
}

void MainPane::print()
{
    QPrintDialog dialog(static_cast<QWidget*>(nullptr));
    if (dialog.exec() == QDialog::Accepted)
        printFitted(dialog.printer());
}

void MainPane::printPreview()
{
    QPrintPreviewDialog dialog(nullptr, Qt::WindowFlags());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printFitted(printer); });
    dialog.exec();
}

bool MainPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == browser && event->type() == QEvent::Resize)
        fitPicturesToView();
    return PaneBase::eventFilter(watched, event);
}

void MainPane::fitPicturesToView()
{
    // The width the text has whether or not the scroll bar shows, so that
    // fitting never makes the bar come and go.
    const qreal width = browser->contentsRect().width() -
                        browser->verticalScrollBar()->sizeHint().width() -
                        2 * document->documentMargin() - pictureMargin;
    pictures.fit(*document, width);
}

void MainPane::printFitted(QPagedPaintDevice* printer)
{
    // Printing lays the text out on the page with margins of 2 cm and draws
    // pictures at the printer's resolution: a picture may be as wide as the
    // page between the margins, counted in the screen's pixels.
    const qreal margins = 2 * (2 / 2.54) * printer->logicalDpiY();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal screenDpi = screen ? screen->logicalDotsPerInchX() : 96;
    const qreal scale = printer->logicalDpiX() / screenDpi;
    pictures.fit(*document, (printer->width() - margins) / scale - pictureMargin);
    document->print(printer);
    fitPicturesToView();
}
