#include "search/recipetextindex.h"

#include "files/safefile.h"
#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

#include <QHash>

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <numeric>
#include <string_view>

namespace {

// Plain comparison of UTF-16 units: all strings that begin with a given one
// then follow each other.
int compareUnits(QStringView a, QStringView b)
{
    return std::u16string_view(a.utf16(), std::size_t(a.size()))
        .compare(std::u16string_view(b.utf16(), std::size_t(b.size())));
}

void appendGap(std::vector<std::uint8_t>& bytes, std::uint32_t gap)
{
    while (gap >= 0x80) {
        bytes.push_back(std::uint8_t(gap | 0x80));
        gap >>= 7;
    }
    bytes.push_back(std::uint8_t(gap));
}

// The tokens of one collection as they are met, each with its recipes.
class IndexBuilder
{
public:
    void add(int recipe, QStringView folded)
    {
        WordStartMatcher::forEachToken(folded, [&](QStringView token, WordStartMatcher::TokenKind) {
            addToken(recipe, token);
        });
    }

    std::vector<QString> words;
    struct Postings
    {
        std::vector<std::uint8_t> gaps;
        std::uint32_t last = 0;
        std::uint32_t seenBy = 0; // recipe number + 1 of the last recipe that added it
    };
    std::vector<Postings> postings;

private:
    void addToken(int recipe, QStringView token)
    {
        auto found = m_ids.constFind(token);
        std::uint32_t id = 0;
        if (found == m_ids.constEnd()) {
            id = std::uint32_t(words.size());
            words.push_back(token.toString());
            postings.emplace_back();
            // The key views the stored copy, whose characters never move.
            m_ids.insert(QStringView(words.back()), id);
        } else {
            id = *found;
        }
        Postings& list = postings[id];
        const auto number = std::uint32_t(recipe);
        if (list.seenBy == number + 1)
            return;
        appendGap(list.gaps, list.seenBy == 0 ? number : number - list.last);
        list.last = number;
        list.seenBy = number + 1;
    }

    QHash<QStringView, std::uint32_t> m_ids;
};

// The layout of toBytes(): a header, then the four tables end to end.
struct BytesHeader
{
    char magic[4];
    std::uint32_t version;
    std::uint32_t recipeCount;
    std::uint32_t tokenCount;
    std::uint64_t tokenUnits;
    std::uint64_t postingBytes;
};
constexpr char bytesMagic[4] = {'S', 'R', 'T', 'I'};
constexpr std::uint32_t bytesVersion = 1;

template<typename T>
void appendRaw(QByteArray& bytes, const T* data, std::size_t count)
{
    bytes.append(reinterpret_cast<const char*>(data), qsizetype(count * sizeof(T)));
}

// Copies `count` elements from `bytes` at `at` into `table`; false past the end.
template<typename T>
bool takeRaw(QByteArrayView bytes, std::size_t& at, std::size_t count, std::vector<T>& table)
{
    if (count > (std::size_t(bytes.size()) - at) / sizeof(T))
        return false;
    table.resize(count);
    if (count > 0)
        std::memcpy(table.data(), bytes.data() + at, count * sizeof(T));
    at += count * sizeof(T);
    return true;
}

} // namespace

QString RecipeTextIndex::foldedTextOf(const QString& path, TextFolding& folding)
{
    const QByteArray bytes = SafeFile::readAll(path);
    return bytes.isEmpty() ? QString() : folding.fold(QString::fromUtf8(bytes));
}

std::unique_ptr<RecipeTextIndex> RecipeTextIndex::build(const QStringList& paths,
                                                        const StopCheck& stop)
{
    TextFolding folding;
    IndexBuilder builder;
    for (int recipe = 0; recipe < paths.size(); ++recipe) {
        if (stop())
            return nullptr;
        builder.add(recipe, foldedTextOf(paths.at(recipe), folding));
    }

    std::vector<std::uint32_t> order(builder.words.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return compareUnits(builder.words[a], builder.words[b]) < 0;
    });

    std::unique_ptr<RecipeTextIndex> index(new RecipeTextIndex);
    index->m_recipeCount = int(paths.size());
    std::size_t characters = 0;
    std::size_t gapBytes = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        characters += std::size_t(builder.words[i].size());
        gapBytes += builder.postings[i].gaps.size();
    }
    index->m_tokens.reserve(qsizetype(characters));
    index->m_tokenStarts.reserve(order.size() + 1);
    index->m_postings.reserve(gapBytes);
    index->m_postingStarts.reserve(order.size() + 1);
    for (std::uint32_t id : order) {
        index->m_tokenStarts.push_back(std::uint32_t(index->m_tokens.size()));
        index->m_tokens += builder.words[id];
        builder.words[id] = QString();
        index->m_postingStarts.push_back(index->m_postings.size());
        std::vector<std::uint8_t>& gaps = builder.postings[id].gaps;
        index->m_postings.insert(index->m_postings.end(), gaps.begin(), gaps.end());
        gaps = {};
    }
    index->m_tokenStarts.push_back(std::uint32_t(index->m_tokens.size()));
    index->m_postingStarts.push_back(index->m_postings.size());
    return index;
}

std::size_t RecipeTextIndex::memoryUsed() const
{
    return std::size_t(m_tokens.capacity()) * sizeof(QChar) +
           m_tokenStarts.capacity() * sizeof(std::uint32_t) + m_postings.capacity() +
           m_postingStarts.capacity() * sizeof(std::uint64_t);
}

QStringView RecipeTextIndex::token(std::size_t index) const
{
    const std::uint32_t start = m_tokenStarts[index];
    return QStringView(m_tokens).mid(start, m_tokenStarts[index + 1] - start);
}

std::size_t RecipeTextIndex::firstTokenNotBefore(QStringView piece) const
{
    std::size_t low = 0;
    std::size_t high = m_tokenStarts.size() - 1;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (compareUnits(token(middle), piece) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

RecipeTextIndex::RecipeSet RecipeTextIndex::recipesWithTokenStarting(QStringView piece,
                                                                     const StopCheck& stop) const
{
    RecipeSet recipes(std::size_t(m_recipeCount), false);
    const std::size_t tokens = m_tokenStarts.size() - 1;
    for (std::size_t t = firstTokenNotBefore(piece); t < tokens && token(t).startsWith(piece);
         ++t) {
        if ((t & 0xff) == 0 && stop())
            return RecipeSet(std::size_t(m_recipeCount), false);
        std::uint32_t recipe = 0;
        bool first = true;
        const std::uint8_t* at = m_postings.data() + m_postingStarts[t];
        const std::uint8_t* end = m_postings.data() + m_postingStarts[t + 1];
        while (at < end) {
            std::uint32_t gap = 0;
            int shift = 0;
            while (at < end && (*at & 0x80)) {
                gap |= std::uint32_t(*at++ & 0x7f) << shift;
                shift += 7;
            }
            if (at < end)
                gap |= std::uint32_t(*at++) << shift;
            recipe = first ? gap : recipe + gap;
            first = false;
            if (recipe < std::uint32_t(m_recipeCount))
                recipes[recipe] = true;
        }
    }
    return recipes;
}

QByteArray RecipeTextIndex::toBytes() const
{
    const BytesHeader header{{bytesMagic[0], bytesMagic[1], bytesMagic[2], bytesMagic[3]},
                             bytesVersion,
                             std::uint32_t(m_recipeCount),
                             std::uint32_t(tokenCount()),
                             std::uint64_t(m_tokens.size()),
                             std::uint64_t(m_postings.size())};
    QByteArray bytes;
    bytes.reserve(qsizetype(sizeof header + memoryUsed()));
    appendRaw(bytes, &header, 1);
    appendRaw(bytes, m_tokens.utf16(), std::size_t(m_tokens.size()));
    appendRaw(bytes, m_tokenStarts.data(), m_tokenStarts.size());
    appendRaw(bytes, m_postingStarts.data(), m_postingStarts.size());
    appendRaw(bytes, m_postings.data(), m_postings.size());
    return bytes;
}

std::unique_ptr<RecipeTextIndex> RecipeTextIndex::fromBytes(QByteArrayView bytes)
{
    BytesHeader header;
    if (std::size_t(bytes.size()) < sizeof header)
        return nullptr;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, bytesMagic, sizeof bytesMagic) != 0 ||
        header.version != bytesVersion || header.recipeCount > std::uint32_t(INT_MAX) ||
        header.tokenUnits > std::uint64_t(std::numeric_limits<std::uint32_t>::max()))
        return nullptr;
    std::unique_ptr<RecipeTextIndex> index(new RecipeTextIndex);
    index->m_recipeCount = int(header.recipeCount);
    std::size_t at = sizeof header;
    std::vector<char16_t> units;
    if (!takeRaw(bytes, at, std::size_t(header.tokenUnits), units) ||
        !takeRaw(bytes, at, std::size_t(header.tokenCount) + 1, index->m_tokenStarts) ||
        !takeRaw(bytes, at, std::size_t(header.tokenCount) + 1, index->m_postingStarts) ||
        !takeRaw(bytes, at, std::size_t(header.postingBytes), index->m_postings) ||
        at != std::size_t(bytes.size()))
        return nullptr;
    index->m_tokens =
        QString(reinterpret_cast<const QChar*>(units.data()), qsizetype(units.size()));
    return index->isWellFormed() ? std::move(index) : nullptr;
}

// Whether every table entry lies within the tables and the tokens are in the
// order the search's halving expects: what fromBytes() must never trust blindly.
bool RecipeTextIndex::isWellFormed() const
{
    const auto ascendsWithin = [](const auto& starts, std::size_t end) {
        return !starts.empty() && starts.front() == 0 && starts.back() == end &&
               std::is_sorted(starts.begin(), starts.end());
    };
    if (!ascendsWithin(m_tokenStarts, std::size_t(m_tokens.size())) ||
        !ascendsWithin(m_postingStarts, m_postings.size()))
        return false;
    for (std::size_t t = 1; t + 1 < m_tokenStarts.size(); ++t) {
        if (compareUnits(token(t - 1), token(t)) >= 0)
            return false;
    }
    return true;
}
