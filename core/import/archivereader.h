#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Reads zip archives and gzip streams through libarchive within the limits
// of ImportLimits: the archive's size, its number of entries, each entry's
// unpacked size and the ratio of unpacked to packed bytes. Entries are only
// ever read into memory, one at a time; their names are handed over as the
// archive writes them and are never used as paths here.
class ArchiveReader
{
public:
    enum class Status {
        Ok,
        Unreadable,     // missing, no regular file, or cannot be opened
        TooLarge,       // the archive itself is over its limit
        NotAnArchive,   // no zip (or gzip) data
        TooManyEntries, // more entries than allowed
        EntryTooLarge,  // one entry unpacks to more than allowed
        Bomb,           // unpacks far beyond what its size makes plausible
        Damaged,        // the data ends or breaks off
    };

    // Receives one regular-file entry; returns false to stop reading.
    using Visitor = std::function<bool(const QString& name, const QByteArray& data)>;

    // Every regular-file entry of the zip archive at `path`, in archive order.
    static Status readZip(const QString& path, const Visitor& visit);
    // The unpacked bytes of a gzip stream; `status` tells why it is empty.
    static QByteArray gunzip(const QByteArray& packed, Status* status = nullptr);
    // Says in a few words why an archive was refused.
    static QString describe(Status status);
};
