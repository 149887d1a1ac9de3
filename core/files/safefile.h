#pragma once

#include <QFile>
#include <QString>

#include <sys/stat.h>

// Opens a file for reading only when it is a regular file once symbolic links
// are followed, and only up to a size limit. The type and size are checked on
// the opened descriptor itself, and the open never waits: a FIFO, a socket or a
// device named by a recipe, a link or a stale path can neither block the
// calling thread nor feed it endless bytes.
class SafeFile
{
public:
    enum class Status {
        Opened,     // a regular file within the limit, open for reading
        Missing,    // nothing at the path (a dangling link included)
        NotRegular, // a folder, FIFO, socket or device
        TooLarge,   // a regular file over the limit; size() tells its size
        Unreadable, // there, but the open failed (permissions, a loop of links...)
    };

    // Generous for a recipe, which is a few kilobytes of text.
    static constexpr qint64 textSizeLimit = qint64(16) * 1024 * 1024;
    // Photographs beside a recipe can be large; anything beyond is refused.
    static constexpr qint64 imageSizeLimit = qint64(32) * 1024 * 1024;

    explicit SafeFile(const QString& path, qint64 sizeLimit = textSizeLimit);

    Status status() const { return m_status; }
    bool isOpen() const { return m_status == Status::Opened; }
    // Something is at the path, whether or not it could be opened.
    bool exists() const { return m_status != Status::Missing; }
    // The size of the file found, for Opened and TooLarge; otherwise 0.
    qint64 size() const { return m_size; }
    // The open file; closed unless status() is Opened.
    QFile& file() { return m_file; }
    // What fstat() said of the open file, for Opened and TooLarge.
    const struct stat& fileStatus() const { return m_fileStatus; }

    // The whole content of a regular file within `sizeLimit`, or a null array.
    static QByteArray readAll(const QString& path, qint64 sizeLimit = textSizeLimit);

private:
    QFile m_file;
    Status m_status = Status::Missing;
    qint64 m_size = 0;
    struct stat m_fileStatus = {};
};
