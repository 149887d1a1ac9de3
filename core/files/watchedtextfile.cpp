#include "files/watchedtextfile.h"

#include "files/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSaveFile>
#include <QStringDecoder>

WatchedTextFile::WatchedTextFile(const QString& fileName, qint64 sizeLimit, QObject* parent)
    : QObject(parent)
    , m_fileName(fileName)
    , m_sizeLimit(sizeLimit)
{}

WatchedTextFile::~WatchedTextFile() = default;

void WatchedTextFile::setFolder(const QString& folder)
{
    unwatch();
    m_folder = folder;
    m_knownBytes.clear();
    m_knownExists = false;
}

QString WatchedTextFile::path() const
{
    return QDir(m_folder).filePath(m_fileName);
}

WatchedTextFile::Read WatchedTextFile::read(QByteArray* bytes, QString* text, QString* reason) const
{
    const QString tooLarge =
        QStringLiteral("%1 is larger than %2 MiB").arg(m_fileName).arg(m_sizeLimit / (1024 * 1024));
    SafeFile file(path(), m_sizeLimit);
    switch (file.status()) {
    case SafeFile::Status::Missing:
        return Read::Missing;
    case SafeFile::Status::TooLarge:
        *reason = tooLarge;
        return Read::Refused;
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::Unreadable:
        *reason = QStringLiteral("%1 cannot be read").arg(m_fileName);
        return Read::Refused;
    case SafeFile::Status::Opened:
        break;
    }
    *bytes = file.file().read(m_sizeLimit + 1);
    if (bytes->size() > m_sizeLimit) {
        *reason = tooLarge;
        return Read::Refused;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    *text = decoder.decode(*bytes);
    if (decoder.hasError()) {
        *reason = QStringLiteral("%1 is not UTF-8 text").arg(m_fileName);
        return Read::Refused;
    }
    return Read::Text;
}

WatchedTextFile::Change WatchedTextFile::readIfChanged(QString* text, QString* reason)
{
    QByteArray bytes;
    switch (read(&bytes, text, reason)) {
    case Read::Refused:
        return Change::Refused;
    case Read::Missing:
        m_knownExists = false;
        m_knownBytes.clear();
        return Change::Missing;
    case Read::Text:
        break;
    }
    if (m_knownExists && bytes == m_knownBytes)
        return Change::Unchanged;
    m_knownExists = true;
    m_knownBytes = bytes;
    return Change::Changed;
}

bool WatchedTextFile::write(const QByteArray& bytes)
{
    if (m_knownExists && bytes == m_knownBytes)
        return true;
    QSaveFile out(path());
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return false;
    m_knownExists = true;
    m_knownBytes = bytes;
    watch(); // the save renamed a new file over the watched one
    return true;
}

void WatchedTextFile::watch()
{
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this,
                &WatchedTextFile::onChange);
        connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this,
                &WatchedTextFile::onChange);
    }
    if (!m_watcher->directories().contains(m_folder))
        m_watcher->addPath(m_folder);
    const QString file = path();
    if (QFileInfo::exists(file) && !m_watcher->files().contains(file))
        m_watcher->addPath(file);
}

// The watcher may be the one reporting: it is emptied, never destroyed here.
void WatchedTextFile::unwatch()
{
    if (!m_watcher)
        return;
    const QStringList paths = m_watcher->files() + m_watcher->directories();
    if (!paths.isEmpty())
        m_watcher->removePaths(paths);
}

void WatchedTextFile::onChange()
{
    watch();
    emit changedOnDisk();
}
