#include "import/archivereader.h"

#include "files/safefile.h"
#include "import/importlimits.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace {

struct ArchiveDeleter
{
    void operator()(archive* handle) const { archive_read_free(handle); }
};
using ArchiveHandle = std::unique_ptr<archive, ArchiveDeleter>;

// Reads the current entry's data, within the entry limit and the total
// budget of unpacked bytes.
ArchiveReader::Status readData(archive* handle, QByteArray& out, qint64& unpacked, qint64 budget)
{
    out.clear();
    char buffer[64 * 1024];
    for (;;) {
        const la_ssize_t n = archive_read_data(handle, buffer, sizeof buffer);
        if (n == 0)
            return ArchiveReader::Status::Ok;
        if (n < 0)
            return ArchiveReader::Status::Damaged;
        unpacked += n;
        if (unpacked > budget)
            return ArchiveReader::Status::Bomb;
        if (out.size() + n > ImportLimits::entryBytes)
            return ArchiveReader::Status::EntryTooLarge;
        out.append(buffer, qsizetype(n));
    }
}

qint64 ratioBudget(qint64 packedBytes)
{
    return ImportLimits::compressionRatio * qMax<qint64>(packedBytes, 1);
}

} // namespace

ArchiveReader::Status ArchiveReader::readZip(const QString& path, const Visitor& visit)
{
    SafeFile file(path, ImportLimits::archiveBytes);
    if (file.status() == SafeFile::Status::TooLarge)
        return Status::TooLarge;
    if (!file.isOpen())
        return Status::Unreadable;
    ArchiveHandle handle(archive_read_new());
    archive_read_support_format_zip(handle.get());
    if (archive_read_open_fd(handle.get(), file.file().handle(), 64 * 1024) != ARCHIVE_OK)
        return Status::NotAnArchive;
    const qint64 budget = ratioBudget(file.size());
    qint64 unpacked = 0;
    int entries = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int result = archive_read_next_header(handle.get(), &entry);
        if (result == ARCHIVE_EOF)
            return entries == 0 && file.size() == 0 ? Status::NotAnArchive : Status::Ok;
        if (result != ARCHIVE_OK && result != ARCHIVE_WARN)
            return entries == 0 ? Status::NotAnArchive : Status::Damaged;
        if (++entries > ImportLimits::archiveEntries)
            return Status::TooManyEntries;
        // Links, folders and devices are never followed nor read.
        if (archive_entry_filetype(entry) != AE_IFREG) {
            archive_read_data_skip(handle.get());
            continue;
        }
        if (archive_entry_size_is_set(entry) &&
            archive_entry_size(entry) > ImportLimits::entryBytes)
            return Status::EntryTooLarge;
        const char* rawName = archive_entry_pathname_utf8(entry);
        const QString name = rawName ? QString::fromUtf8(rawName)
                                     : QString::fromLocal8Bit(archive_entry_pathname(entry));
        QByteArray data;
        const Status status = readData(handle.get(), data, unpacked, budget);
        if (status != Status::Ok)
            return status;
        if (!visit(name, data))
            return Status::Ok;
    }
}

QByteArray ArchiveReader::gunzip(const QByteArray& packed, Status* status)
{
    Status ignored;
    Status& result = status ? *status : ignored;
    ArchiveHandle handle(archive_read_new());
    archive_read_support_filter_gzip(handle.get());
    archive_read_support_format_raw(handle.get());
    archive_entry* entry = nullptr;
    if (packed.size() < 2 || uchar(packed.at(0)) != 0x1f || uchar(packed.at(1)) != 0x8b ||
        archive_read_open_memory(handle.get(), packed.constData(), size_t(packed.size())) !=
            ARCHIVE_OK ||
        archive_read_next_header(handle.get(), &entry) != ARCHIVE_OK) {
        result = Status::NotAnArchive;
        return {};
    }
    QByteArray out;
    qint64 unpacked = 0;
    result = readData(handle.get(), out, unpacked, ratioBudget(packed.size()));
    if (result != Status::Ok)
        return {};
    return out;
}

QString ArchiveReader::describe(Status status)
{
    switch (status) {
    case Status::Ok:
        return {};
    case Status::Unreadable:
        return QStringLiteral("cannot be read");
    case Status::TooLarge:
        return QStringLiteral("archive larger than 256 MiB");
    case Status::NotAnArchive:
        return QStringLiteral("not a readable archive");
    case Status::TooManyEntries:
        return QStringLiteral("archive with more than 10,000 entries");
    case Status::EntryTooLarge:
        return QStringLiteral("archive entry larger than 32 MiB");
    case Status::Bomb:
        return QStringLiteral("archive unpacks to more than 100 times its size");
    case Status::Damaged:
        return QStringLiteral("damaged archive");
    }
    return {};
}
