#pragma once

#include <QString>
#include <QtGlobal>

struct stat;

// What tells whether a file changed since it was last read without reading
// it: its size, its modification time to the nanosecond and its inode (a file
// replaced by a rename has another). Links are followed, as the reader does.
struct FileStamp
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;

    // The stamp of the file at `path`; invalid when there is no such file.
    static FileStamp of(const QString& path);
    // The stamp a stat() call gave.
    static FileStamp ofStatus(const struct stat& status);

    bool isValid() const { return size >= 0; }
    bool operator==(const FileStamp& other) const
    {
        return size == other.size && modifiedNs == other.modifiedNs && inode == other.inode;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
