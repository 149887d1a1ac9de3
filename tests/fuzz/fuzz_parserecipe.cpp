// Feeds arbitrary bytes to parseRecipe through a QBuffer and checks what every
// parse must guarantee, whatever the input.
#include "recipe/recipeparser.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

bool isTrimmed(const QString& text)
{
    return text == text.trimmed();
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ParsedRecipe recipe = parseRecipe(&buffer);

    check(buffer.atEnd());
    check(isTrimmed(recipe.title));
    for (const Ingredient& ingredient : recipe.ingredients) {
        check(!ingredient.unit.isEmpty() && !ingredient.ingredient.isEmpty());
        check(isTrimmed(ingredient.amount) && isTrimmed(ingredient.unit) &&
              isTrimmed(ingredient.ingredient));
        check(!ingredient.ingredient.contains(QLatin1Char(',')));
    }
    for (const QString& tag : recipe.tags)
        check(isTrimmed(tag) && !tag.contains(QLatin1Char(',')));
    check(!recipe.otherMeta.contains(QStringLiteral("tags")));
    for (auto it = recipe.otherMeta.cbegin(); it != recipe.otherMeta.cend(); ++it) {
        check(isTrimmed(it.key()) && !it.key().contains(QLatin1Char(':')));
        check(!it.value().isEmpty());
        for (const QString& value : it.value())
            check(!value.isEmpty() && isTrimmed(value));
    }
    return 0;
}
