#include "collection/filestamp.h"

#include <QFile>

#include <sys/stat.h>

FileStamp FileStamp::ofStatus(const struct stat& status)
{
    FileStamp stamp;
    stamp.size = qint64(status.st_size);
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + qint64(status.st_mtim.tv_nsec);
    stamp.inode = quint64(status.st_ino);
    return stamp;
}

FileStamp FileStamp::of(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return ofStatus(status);
}

