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
    forget();
}

QString WatchedTextFile::path() const
{
    return QDir(m_folder).filePath(m_fileName);
}

WatchedTextFile::Read WatchedTextFile::read(bool* changed, QString* reason)
{
    *changed = false;
    const QString tooLarge =
        QStringLiteral("%1 is larger than %2 MiB").arg(m_fileName).arg(m_sizeLimit / (1024 * 1024));
    SafeFile file(path(), m_sizeLimit);
    switch (file.status()) {
    case SafeFile::Status::Missing:
        forget();
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
    const QByteArray bytes = file.file().read(m_sizeLimit + 1);
    if (bytes.size() > m_sizeLimit) {
        *reason = tooLarge;
        return Read::Refused;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        *reason = QStringLiteral("%1 is not UTF-8 text").arg(m_fileName);
        return Read::Refused;
    }
    *changed = !m_knownExists || bytes != m_knownBytes;
    m_knownExists = true;
    m_knownBytes = bytes;
    m_knownText = text;
    return Read::Text;
}

bool WatchedTextFile::write(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (m_knownExists && bytes == m_knownBytes)
        return true;
    QSaveFile out(path());
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return false;
    m_knownBytes = bytes;
    m_knownExists = true;
    m_knownText = text;
    watch(); // the save renamed a new file over the watched one
    return true;
}

void WatchedTextFile::watch()
{
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this,
                &WatchedTextFile::changedOnDisk);
        connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this,
                &WatchedTextFile::changedOnDisk);
    }
    if (!m_watcher->directories().contains(m_folder))
        m_watcher->addPath(m_folder);
    const QString file = path();
    if (QFileInfo::exists(file) && !m_watcher->files().contains(file))
        m_watcher->addPath(file);
}

void WatchedTextFile::unwatch()
{
    if (!m_watcher)
        return;
    const QStringList paths = m_watcher->files() + m_watcher->directories();
    if (!paths.isEmpty())
        m_watcher->removePaths(paths);
}

void WatchedTextFile::forget()
{
    m_knownBytes.clear();
    m_knownExists = false;
    m_knownText.clear();
}

QStringList WatchedTextFile::linesOf(const QString& text, bool* crlf)
{
    *crlf = text.contains(QStringLiteral("\r\n"));
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = body.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
