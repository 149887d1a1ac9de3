#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TextFolding;

// Which recipes hold which words: every token of every recipe file (see
// WordStartMatcher), folded, each with the numbers of the recipes that hold
// it. Tokens are kept sorted, so that all tokens that begin with a typed
// piece lie side by side; each token's recipe numbers are kept as ascending
// gaps of a few bits each. Built once per collection and read-only after.
class RecipeTextIndex
{
public:
    // One flag per recipe number.
    using RecipeSet = std::vector<bool>;
    // Asked now and then during long work; true ends it early.
    using StopCheck = std::function<bool()>;

    // Reads the recipe files at `paths` (recipe number = position in the
    // list) through the safe opening, never blocking on what is not a regular
    // file. A file that cannot be read holds no words. Null when stopped.
    static std::unique_ptr<RecipeTextIndex> build(const QStringList& paths, const StopCheck& stop);

    // The whole text of the file at `path`, folded; empty when it cannot be
    // read safely.
    static QString foldedTextOf(const QString& path, TextFolding& folding);

    // The index as bytes, to be kept between runs on this machine.
    QByteArray toBytes() const;
    // The index toBytes() gave; null for anything else, damaged bytes included.
    static std::unique_ptr<RecipeTextIndex> fromBytes(QByteArrayView bytes);

    int recipeCount() const { return m_recipeCount; }
    qsizetype tokenCount() const { return qsizetype(m_tokenStarts.size()) - 1; }
    // Bytes held by the index's tables.
    std::size_t memoryUsed() const;

    // The recipes holding a token that begins with `piece`; an empty set
    // when stopped.
    RecipeSet recipesWithTokenStarting(QStringView piece, const StopCheck& stop) const;

private:
    RecipeTextIndex() = default;
    QStringView token(std::size_t index) const;
    bool isWellFormed() const;
    std::size_t firstTokenNotBefore(QStringView piece) const;

    int m_recipeCount = 0;
    QString m_tokens;                         // every token, sorted, end to end
    std::vector<std::uint32_t> m_tokenStarts; // token i is [starts[i], starts[i + 1])
    std::vector<std::uint8_t> m_postings;     // per token: ascending recipe numbers as gaps
    std::vector<std::uint64_t> m_postingStarts;
};
