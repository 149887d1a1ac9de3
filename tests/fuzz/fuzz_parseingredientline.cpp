// Feeds arbitrary text to parseIngredientLine and checks the shape of every
// answer: either no ingredient at all, or three trimmed fields of which the
// first two are single words and none holds a comma.
#include "recipe/recipeparser.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool isTrimmed(const QString& text)
{
    return text == text.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const Ingredient ingredient = parseIngredientLine(line);
    if (ingredient.amount.isNull()) {
        check(ingredient.unit.isNull() && ingredient.ingredient.isNull());
        return 0;
    }
    for (const QString* field : {&ingredient.amount, &ingredient.unit, &ingredient.ingredient})
        check(isTrimmed(*field) && !field->contains(QLatin1Char(',')));
    check(!ingredient.amount.contains(QLatin1Char(' ')));
    check(!ingredient.unit.contains(QLatin1Char(' ')));
    // A match needs a bullet followed by a blank in the line.
    check(line.contains(QLatin1String("- ")) || line.contains(QLatin1String("* ")));
    return 0;
}
