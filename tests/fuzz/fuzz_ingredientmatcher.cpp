// Differential target: the hand-written matcher that the scan uses must agree
// with parseIngredientLine's regular expression on every line.
#include "recipe/ingredientmatcher.h"
#include "recipe/recipeparser.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const Ingredient expected = parseIngredientLine(line);
    const Ingredient actual = matchIngredientLine(line);
    if (actual != expected || actual.amount.isNull() != expected.amount.isNull())
        std::abort();
    return 0;
}
