#include "collection/indexsnapshot.h"

#include "collection/ingredientnameindex.h"

#include <QDataStream>
#include <QIODevice>
#include <QSysInfo>
#include <QtEndian>

#include <utility>

namespace {

constexpr quint32 magic = 0x53524958; // "SRIX"
constexpr quint32 formatVersion = 1;

// Lists of numbers are most of the block: on a little-endian machine they
// go as they are in memory, elsewhere number by number, in the same bytes.
void writeNumbers(QDataStream& out, const std::vector<int>& numbers,
                  const std::vector<int>* mapped = nullptr)
{
    out << qint32(numbers.size());
    if (!mapped && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        out.writeRawData(reinterpret_cast<const char*>(numbers.data()),
                         int(numbers.size() * sizeof(int)));
        return;
    }
    for (const int number : numbers)
        out << qint32(mapped ? (*mapped)[std::size_t(number)] : number);
}

// False for a count or a number outside [0, limit).
bool readNumbers(QDataStream& in, std::vector<int>& numbers, int limit)
{
    qint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count < 0 ||
        qint64(count) * qint64(sizeof(int)) > in.device()->bytesAvailable())
        return false;
    numbers.resize(std::size_t(count));
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        const int bytes = int(std::size_t(count) * sizeof(int));
        if (in.readRawData(reinterpret_cast<char*>(numbers.data()), bytes) != bytes)
            return false;
    } else {
        for (int& number : numbers) {
            qint32 read = 0;
            in >> read;
            number = read;
        }
    }
    for (const int number : numbers)
        if (number < 0 || number >= limit)
            return false;
    return in.status() == QDataStream::Ok;
}

// A count of items each at least `leastBytes` long: never more than the
// block can hold, so that a damaged count reserves nothing.
bool readCount(QDataStream& in, qint32& count, int leastBytes)
{
    in >> count;
    return in.status() == QDataStream::Ok && count >= 0 &&
           qint64(count) * leastBytes <= in.device()->bytesAvailable();
}

// A string as QDataStream writes it, read here so that a damaged length is
// refused before anything is allocated for it.
bool readString(QDataStream& in, QString& text)
{
    quint32 bytes = 0;
    in >> bytes;
    if (in.status() != QDataStream::Ok)
        return false;
    if (bytes == 0xffffffff) { // a null string
        text = QString();
        return true;
    }
    if (bytes % 2 != 0 || qint64(bytes) > in.device()->bytesAvailable())
        return false;
    text.resize(qsizetype(bytes / 2));
    if (in.readRawData(reinterpret_cast<char*>(text.data()), int(bytes)) != int(bytes))
        return false;
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
        for (QChar& unit : text)
            unit = QChar(qFromLittleEndian(unit.unicode()));
    }
    return true;
}

bool readStrings(QDataStream& in, QStringList& strings, qint32 count)
{
    strings.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString text;
        if (!readString(in, text))
            return false;
        strings.append(std::move(text));
    }
    return true;
}

void writeSources(QDataStream& out, const QHash<QString, QString>& sources)
{
    out << qint32(sources.size());
    for (auto at = sources.cbegin(); at != sources.cend(); ++at)
        out << at.key() << at.value();
}

bool readSources(QDataStream& in, QHash<QString, QString>& sources)
{
    qint32 count = 0;
    if (!readCount(in, count, 8))
        return false;
    sources.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString path;
        QString source;
        if (!readString(in, path) || !readString(in, source))
            return false;
        sources.insert(std::move(path), std::move(source));
    }
    return true;
}

void writeMap(QDataStream& out, const IndexSnapshot::IndexMap& map, const std::vector<int>& placeOf)
{
    out << qint32(map.size());
    for (auto at = map.cbegin(); at != map.cend(); ++at) {
        out << at.key();
        writeNumbers(out, at.value(), &placeOf);
    }
}

bool readMap(QDataStream& in, IndexSnapshot::IndexMap& map, int recipes)
{
    qint32 count = 0;
    if (!readCount(in, count, 8))
        return false;
    map.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString key;
        std::vector<int> numbers;
        if (!readString(in, key) || !readNumbers(in, numbers, recipes))
            return false;
        map.insert(std::move(key), std::move(numbers));
    }
    return true;
}

void writeListedNames(QDataStream& out, const IngredientNameIndex& names)
{
    out << qint32(names.paths().size());
    for (const QString& path : names.paths())
        out << path;
    out << qint32(names.size());
    for (const QString& name : names.names())
        out << name;
    for (qsizetype at = 0; at < names.size(); ++at)
        writeNumbers(out, names.recipesOf(at));
}

bool readListedNames(QDataStream& in, IngredientNameIndex& names)
{
    qint32 pathCount = 0;
    QStringList paths;
    if (!readCount(in, pathCount, 4) || !readStrings(in, paths, pathCount))
        return false;
    qint32 nameCount = 0;
    QStringList spellings;
    if (!readCount(in, nameCount, 8) || !readStrings(in, spellings, nameCount))
        return false;
    std::vector<std::vector<int>> recipesOfName(static_cast<std::size_t>(nameCount));
    for (std::vector<int>& recipes : recipesOfName)
        if (!readNumbers(in, recipes, pathCount))
            return false;
    names.restore(std::move(paths), std::move(spellings), std::move(recipesOfName));
    return true;
}

} // namespace

QByteArray IndexSnapshot::write(const Parts& parts, const IndexList& order)
{
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << magic << formatVersion << qint32(order.size());
    for (const int recipe : order)
        out << parts.recipes->titles.at(recipe);
    for (const int recipe : order)
        out << parts.recipes->paths.at(recipe);
    writeMap(out, *parts.byTag, parts.recipes->placeOf);
    writeMap(out, *parts.byIngredient, parts.recipes->placeOf);
    writeListedNames(out, *parts.listedNames);
    writeSources(out, *parts.sourcesByPath);
    return block;
}

bool IndexSnapshot::read(const QByteArray& block, const Parts& parts)
{
    QDataStream in(block);
    in.setVersion(QDataStream::Qt_6_4);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 readMagic = 0;
    quint32 readVersion = 0;
    qint32 count = 0;
    in >> readMagic >> readVersion;
    if (readMagic != magic || readVersion != formatVersion || !readCount(in, count, 8))
        return false;
    if (!readStrings(in, parts.recipes->titles, count) ||
        !readStrings(in, parts.recipes->paths, count))
        return false;
    if (!readMap(in, *parts.byTag, count) || !readMap(in, *parts.byIngredient, count) ||
        !readListedNames(in, *parts.listedNames))
        return false;
    return readSources(in, *parts.sourcesByPath) && in.status() == QDataStream::Ok && in.atEnd();
}
