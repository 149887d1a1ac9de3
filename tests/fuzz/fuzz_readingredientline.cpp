// Feeds arbitrary text to readIngredientLine, and each reading's amount to
// Amount::parse, and checks what must hold of every answer: the fields are
// trimmed, a unit comes only with a number, the amount is no range upside
// down, and a number read alone is shown as something.
#include "quantity/amount.h"
#include "quantity/kitchenunits.h"
#include "recipe/ingredientreading.h"

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
    const IngredientReading reading = readIngredientLine(line);
    for (const QString* field : {&reading.unit, &reading.name, &reading.written})
        check(isTrimmed(*field));
    if (!reading.unit.isEmpty()) {
        check(reading.amount.isNumber());
        check(!reading.written.isEmpty());
    }
    if (reading.amount.isNumber()) {
        check(!(reading.amount.high() < reading.amount.low()));
        // Scaling and adding never fail on what was read.
        const Amount doubled = reading.amount.scaled(Fraction(2));
        check(doubled.isNumber() && doubled.plus(reading.amount).isNumber());
        KitchenUnits::formatAmount(doubled, reading.unit);
    }
    if (reading.amount.kind() == Amount::Kind::None)
        check(reading.written.isEmpty());

    // The amount reader on its own, over the same text.
    const Amount parsed = Amount::parse(line);
    if (parsed.isText())
        check(!parsed.text().isEmpty() && isTrimmed(parsed.text()));
    if (parsed.isNumber())
        check(!parsed.toDisplayString().isEmpty());
    return 0;
}
