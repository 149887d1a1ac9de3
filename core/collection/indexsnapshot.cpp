#include "collection/indexsnapshot.h"

#include "collection/ingredientnameindex.h"

#include <QStringBuilder>
#include <QtEndian>

#include <cstring>
#include <utility>

namespace {

constexpr quint32 magic = 0x53524958; // "XIRS" in the file
constexpr quint32 formatVersion = 3;

// The block: little-endian 32-bit numbers (64-bit ones for the stamps), and
// texts as their UTF-8 length and bytes. Paths are written without the part all of them begin with.
class Writer
{
public:
    void number(qint64 value)
    {
        const quint32 little = qToLittleEndian(quint32(value));
        m_block.append(reinterpret_cast<const char*>(&little), sizeof little);
    }
    void wideNumber(qint64 value)
    {
        const quint64 little = qToLittleEndian(quint64(value));
        m_block.append(reinterpret_cast<const char*>(&little), sizeof little);
    }
    void text(QStringView value)
    {
        const QByteArray utf8 = value.toUtf8();
        number(utf8.size());
        m_block.append(utf8);
    }
    // Numbers that stand for recipes, as their places in title order.
    void recipes(const std::vector<int>& numbers, const std::vector<int>& placeOf)
    {
        number(qint64(numbers.size()));
        for (const int recipe : numbers)
            number(placeOf[std::size_t(recipe)]);
    }
    QByteArray take() { return std::move(m_block); }

private:
    QByteArray m_block;
};

// Reads what Writer wrote; every count and length is checked against what
// is left of the block before anything is made for it.
class Reader
{
public:
    explicit Reader(const QByteArray& block)
        : m_at(block.constData())
        , m_end(block.constData() + block.size())
    {}

    bool atEnd() const { return m_at == m_end; }

    bool number(qint32& value)
    {
        if (m_end - m_at < 4)
            return false;
        value = qint32(qFromLittleEndian<quint32>(m_at));
        m_at += 4;
        return true;
    }
    bool wideNumber(qint64& value)
    {
        if (m_end - m_at < 8)
            return false;
        value = qint64(qFromLittleEndian<quint64>(m_at));
        m_at += 8;
        return true;
    }
    // A count of items, each at least `leastBytes` long.
    bool count(qint32& value, int leastBytes)
    {
        return number(value) && value >= 0 && qint64(value) * leastBytes <= m_end - m_at;
    }
    bool text(QString& value, QStringView prefix = {})
    {
        qint32 bytes = 0;
        if (!count(bytes, 1))
            return false;
        if (prefix.isEmpty())
            value = QString::fromUtf8(m_at, bytes);
        else
            value = prefix % QString::fromUtf8(m_at, bytes);
        m_at += bytes;
        return true;
    }
    // Numbers each below `limit`.
    bool numbers(std::vector<int>& values, int limit)
    {
        qint32 size = 0;
        if (!count(size, 4))
            return false;
        values.resize(std::size_t(size));
        for (int& value : values) {
            qint32 read = 0;
            number(read);
            if (read < 0 || read >= limit)
                return false;
            value = read;
        }
        return true;
    }

private:
    const char* m_at;
    const char* m_end;
};

QString commonPrefixOf(const QStringList& paths)
{
    if (paths.isEmpty())
        return {};
    QStringView prefix = paths.first();
    for (const QString& path : paths) {
        qsizetype same = 0;
        const qsizetype most = std::min(prefix.size(), path.size());
        while (same < most && prefix[same] == path[same])
            ++same;
        prefix = prefix.left(same);
    }
    // Never in the middle of a character written as two code units.
    if (!prefix.isEmpty() && prefix.back().isHighSurrogate())
        prefix.chop(1);
    return prefix.toString();
}

void writeMap(Writer& out, const IndexSnapshot::IndexMap& map, const std::vector<int>& placeOf)
{
    out.number(map.size());
    for (auto at = map.cbegin(); at != map.cend(); ++at) {
        out.text(at.key());
        out.recipes(at.value(), placeOf);
    }
}

bool readMap(Reader& in, IndexSnapshot::IndexMap& map, int recipes)
{
    qint32 count = 0;
    if (!in.count(count, 8))
        return false;
    map.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString key;
        std::vector<int> numbers;
        if (!in.text(key) || !in.numbers(numbers, recipes))
            return false;
        map.insert(std::move(key), std::move(numbers));
    }
    return true;
}

// The names index lists the recipes in the order they were added, as the
// recipes themselves are numbered: its recipes are written as places too.
void writeListedNames(Writer& out, const IngredientNameIndex& names,
                      const std::vector<int>& placeOf)
{
    out.number(names.size());
    for (const QString& name : names.names())
        out.text(name);
    for (qsizetype at = 0; at < names.size(); ++at)
        out.recipes(names.recipesOf(at), placeOf);
}

bool readListedNames(Reader& in, IngredientNameIndex& names, const QStringList& paths)
{
    qint32 count = 0;
    if (!in.count(count, 8))
        return false;
    QStringList spellings;
    spellings.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString name;
        if (!in.text(name))
            return false;
        spellings.append(std::move(name));
    }
    std::vector<std::vector<int>> recipesOfName(static_cast<std::size_t>(count));
    for (std::vector<int>& recipes : recipesOfName)
        if (!in.numbers(recipes, int(paths.size())))
            return false;
    names.restore(paths, std::move(spellings), std::move(recipesOfName));
    return true;
}

void writeSources(Writer& out, const QHash<QString, QString>& sources, qsizetype prefixSize)
{
    out.number(sources.size());
    for (auto at = sources.cbegin(); at != sources.cend(); ++at) {
        out.text(QStringView(at.key()).mid(prefixSize));
        out.text(at.value());
    }
}

bool readSources(Reader& in, QHash<QString, QString>& sources, QStringView prefix)
{
    qint32 count = 0;
    if (!in.count(count, 8))
        return false;
    sources.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString path;
        QString source;
        if (!in.text(path, prefix) || !in.text(source))
            return false;
        sources.insert(std::move(path), std::move(source));
    }
    return true;
}

} // namespace

QByteArray IndexSnapshot::write(const Parts& parts, const IndexList& order)
{
    const Recipes& recipes = *parts.recipes;
    if (parts.listedNames->paths().size() != recipes.paths.size() ||
        parts.stamps->size() != std::size_t(recipes.paths.size()))
        return {}; // not numbered alike: nothing to keep
    // The sources' paths are among the recipes', so they share the prefix.
    const QString prefix = commonPrefixOf(recipes.paths);
    Writer out;
    out.number(magic);
    out.number(formatVersion);
    out.text(prefix);
    out.number(qint64(order.size()));
    for (const int recipe : order)
        out.text(recipes.titles.at(recipe));
    for (const int recipe : order)
        out.text(QStringView(recipes.paths.at(recipe)).mid(prefix.size()));
    for (const int recipe : order) {
        const FileStamp& stamp = parts.stamps->at(std::size_t(recipe));
        out.wideNumber(stamp.size);
        out.wideNumber(stamp.modifiedNs);
        out.wideNumber(qint64(stamp.inode));
    }
    writeMap(out, *parts.byTag, recipes.placeOf);
    writeMap(out, *parts.byIngredient, recipes.placeOf);
    writeListedNames(out, *parts.listedNames, recipes.placeOf);
    writeSources(out, *parts.sourcesByPath, prefix.size());
    return out.take();
}

bool IndexSnapshot::read(const QByteArray& block, const Parts& parts)
{
    Reader in(block);
    qint32 readMagic = 0;
    qint32 readVersion = 0;
    QString prefix;
    qint32 count = 0;
    if (!in.number(readMagic) || quint32(readMagic) != magic || !in.number(readVersion) ||
        readVersion != qint32(formatVersion) || !in.text(prefix) || !in.count(count, 8))
        return false;
    Recipes& recipes = *parts.recipes;
    recipes.titles.reserve(count);
    recipes.paths.reserve(count);
    for (qint32 at = 0; at < count; ++at) {
        QString title;
        if (!in.text(title))
            return false;
        recipes.titles.append(std::move(title));
    }
    for (qint32 at = 0; at < count; ++at) {
        QString path;
        if (!in.text(path, prefix))
            return false;
        recipes.paths.append(std::move(path));
    }
    parts.stamps->resize(std::size_t(count));
    for (FileStamp& stamp : *parts.stamps) {
        qint64 inode = 0;
        if (!in.wideNumber(stamp.size) || !in.wideNumber(stamp.modifiedNs) || !in.wideNumber(inode))
            return false;
        stamp.inode = quint64(inode);
    }
    return readMap(in, *parts.byTag, count) && readMap(in, *parts.byIngredient, count) &&
           readListedNames(in, *parts.listedNames, recipes.paths) &&
           readSources(in, *parts.sourcesByPath, prefix) && in.atEnd();
}
