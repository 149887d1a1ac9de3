#include "files/cookbookfilewatcher.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

CookbookFileWatcher::CookbookFileWatcher(QObject* parent)
    : QObject(parent)
{}

CookbookFileWatcher::~CookbookFileWatcher() = default;

void CookbookFileWatcher::watch(const QString& folder, const QString& fileName)
{
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this,
                &CookbookFileWatcher::changed);
        connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this,
                &CookbookFileWatcher::changed);
    }
    if (!m_watcher->directories().contains(folder))
        m_watcher->addPath(folder);
    const QString path = QDir(folder).filePath(fileName);
    if (QFileInfo::exists(path) && !m_watcher->files().contains(path))
        m_watcher->addPath(path);
}

void CookbookFileWatcher::stop()
{
    if (!m_watcher)
        return;
    const QStringList paths = m_watcher->files() + m_watcher->directories();
    if (!paths.isEmpty())
        m_watcher->removePaths(paths);
}
