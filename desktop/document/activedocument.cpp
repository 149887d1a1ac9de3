#include "document/activedocument.h"

#include "document/activedocumentlistener.h"

#include <QFile>
#include <QFileSystemWatcher>

ActiveDocument::ActiveDocument(QObject* parent)
    : QObject(parent)
    , watcher(std::make_unique<QFileSystemWatcher>())
{
    connect(watcher.get(), &QFileSystemWatcher::fileChanged, this, &ActiveDocument::checkedReload);
}

ActiveDocument::~ActiveDocument() = default;

void ActiveDocument::registerListener(ActiveDocumentListener* listener)
{
    listeners.append(listener);
}

QString ActiveDocument::path() const
{
    return currentPath;
}

void ActiveDocument::openPath(const QString& file)
{
    if (!currentPath.isEmpty())
        watcher->removePath(currentPath);
    currentPath = file;
    if (!currentPath.isEmpty())
        watcher->addPath(currentPath);
    notifyListeners();
}

void ActiveDocument::checkedReload(const QString& path)
{
    if (path != currentPath)
        return;
    // Most editors save by writing a new file and renaming it over the old
    // one; the watcher then drops the path, and without a new watch every
    // later save would go unnoticed. A file that is gone stays unwatched, so
    // files created at this path later are not reported.
    if (QFile::exists(currentPath) && !watcher->files().contains(currentPath))
        watcher->addPath(currentPath);
    notifyListeners();
}

void ActiveDocument::notifyListeners()
{
    // A copy, so that a listener cannot invalidate the iteration by
    // registering another one.
    const QList<ActiveDocumentListener*> current = listeners;
    for (ActiveDocumentListener* listener : current)
        listener->openPath(currentPath);
}
