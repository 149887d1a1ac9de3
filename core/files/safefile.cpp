#include "files/safefile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SafeFile::SafeFile(const QString& path, qint64 sizeLimit)
{
    if (path.isEmpty())
        return;
    const QByteArray nativePath = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO without a writer returns at once instead of
    // waiting for one; the descriptor is checked before anything is read.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        m_status = (errno == ENOENT || errno == ENOTDIR) ? Status::Missing : Status::Unreadable;
        return;
    }
    struct stat& info = m_fileStatus;
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        m_status = Status::Unreadable;
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        m_status = Status::NotRegular;
        return;
    }
    m_size = qint64(info.st_size);
    if (m_size > sizeLimit) {
        ::close(fd);
        m_status = Status::TooLarge;
        return;
    }
    // Regular files never block, but reads should see ordinary semantics.
    // Of the flags F_SETFL changes, the file was opened with O_NONBLOCK alone.
    ::fcntl(fd, F_SETFL, 0);
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        m_status = Status::Unreadable;
        return;
    }
    m_status = Status::Opened;
}

QByteArray SafeFile::readAll(const QString& path, qint64 sizeLimit)
{
    SafeFile safe(path, sizeLimit);
    if (!safe.isOpen())
        return {};
    // What was checked is what is read: a file that grows meanwhile is read
    // only up to the size it had, so never beyond the limit.
    QByteArray bytes = safe.size() > 0 ? safe.file().read(safe.size()) : QByteArray();
    if (bytes.isNull())
        bytes = QByteArray(""); // an empty file is content, not a failure
    return bytes;
}
