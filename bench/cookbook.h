#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The kinds of recipe a generated cookbook holds.
enum class CookbookProfile {
    // About 1.3 KB and 25 lines a recipe: long paragraphs of directions,
    // 6 to 15 ingredient lines, 4 metadata lines.
    Standard,
    // About 1.5 KB and 35 lines a recipe, as hand-written recipes tend to be:
    // one direction per line, 10 ingredient lines, 3 metadata lines.
    Heavy,
};

// Writes a deterministic cookbook of `count` recipes below `root`: nested
// folders, tags and ingredient names drawn from fixed pools, a few bullets
// without amounts, some files with CR LF line ends and some Markdown files
// that are not recipes. The same count and profile always give the same
// bytes. Returns false when a file could not be written.
bool writeCookbook(const QString& root, int count,
                   CookbookProfile profile = CookbookProfile::Standard);

// An ingredient name that the generated cookbooks use in many recipes: what a
// user would search for.
QString commonIngredient();

// The lines of a well-stocked pantry for the generated cookbooks: every
// plain ingredient and every fourth one with each of its adjectives, a few
// with amounts. About half of what a recipe lists is in it.
QStringList stockedPantryLines();

// A small deterministic generator (64-bit linear congruential, high bits out):
// the standard library's distributions differ between implementations, so
// cookbooks would not be the same everywhere.
class CookbookRandom
{
public:
    explicit CookbookRandom(std::uint64_t seed)
        : state(seed * 6364136223846793005ULL + 1442695040888963407ULL)
    {}
    // A number in [0, bound).
    int below(int bound)
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state >> 33) % std::uint64_t(bound));
    }

private:
    std::uint64_t state;
};
