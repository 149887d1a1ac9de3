// Takes the README's picture of an import: the main window on a fresh copy of
// a cookbook after importing a folder of saved pages and exports, with the
// report of the files that held no recipe shown over it.
//
//   importreport_screenshot <cookbook folder> <output.png> <folder to import>

#include "import/importreportdialog.h"
#include "import/importsummary.h"
#include "mainwindow.h"
#include "screenshotsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// The cookbook copied, so that the import never writes into the original.
bool copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(path, target))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: importreport_screenshot <cookbook> <output.png> <folder>\n");
        return 2;
    }
    QTemporaryDir copy;
    const QString cookbook = copy.filePath(QStringLiteral("cookbook"));
    if (!copy.isValid() || !copyFolder(QDir(args.at(1)).absolutePath(), cookbook) ||
        !QDir(cookbook).mkpath(QStringLiteral("Imported")))
        return 1;
    const QString output = args.at(2);
    const QString sources = QDir(args.at(3)).absolutePath();
    screenshot::prepareWindowOn(cookbook);

    MainWindow window;
    window.resize(1200, 760);
    window.show();
    window.setImportSourcesQuestion([sources] { return QStringList{sources}; });
    window.setImportFolderQuestion(
        [cookbook](const QString&) { return QDir(cookbook).filePath(QStringLiteral("Imported")); });

    int status = 1;
    std::unique_ptr<ImportReportDialog> report;
    window.setImportReport([&](const ImportSummary& summary) {
        report = std::make_unique<ImportReportDialog>(summary, &window);
        report->show();
        QTimer::singleShot(600, &window, [&] {
            // The report is a window of its own: drawn over the main window's
            // picture in the middle, as a desktop shows it.
            QImage picture = window.grab().toImage();
            const QImage dialog = report->grab().toImage();
            QPainter painter(&picture);
            const QPoint at((picture.width() - dialog.width()) / 2,
                            (picture.height() - dialog.height()) / 2);
            painter.fillRect(QRect(at + QPoint(4, 4), dialog.size()), QColor(0, 0, 0, 60));
            painter.drawImage(at, dialog);
            painter.end();
            status = picture.save(output) ? 0 : 1;
            QCoreApplication::quit();
        });
    });
    bool started = false;
    QObject::connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                     [&](const QString& message) {
                         if (!started && message.startsWith(QStringLiteral("Found"))) {
                             started = true;
                             window.findChild<QAction*>(QStringLiteral("importAction"))->trigger();
                         }
                     });
    // Gives up rather than hang when nothing happens.
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    const int result = QApplication::exec();
    return result ? result : status;
}
