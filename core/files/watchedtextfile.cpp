#include "files/watchedtextfile.h"

#include "files/cookbookfilewatcher.h"
#include "files/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

WatchedTextFile::WatchedTextFile(const QString& fileName, qint64 sizeLimit, QObject* parent)
    : QObject(parent)
    , m_fileName(fileName)
    , m_sizeLimit(sizeLimit)
    , m_watcher(std::make_unique<CookbookFileWatcher>())
{
    connect(m_watcher.get(), &CookbookFileWatcher::changed, this, &WatchedTextFile::onChange);
}

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
    m_watcher->watch(m_folder, m_fileName);
}

void WatchedTextFile::unwatch()
{
    m_watcher->stop();
}

void WatchedTextFile::onChange()
{
    watch();
    emit changedOnDisk();
}
