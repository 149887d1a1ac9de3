#include "recipe/ingredientmatcher.h"

namespace {

qsizetype skipBlanks(QStringView line, qsizetype at)
{
    while (at < line.size() && line[at] == QLatin1Char(' '))
        ++at;
    return at;
}

// The end of a run of characters that are neither a blank nor a comma.
qsizetype skipWord(QStringView line, qsizetype at)
{
    while (at < line.size() && line[at] != QLatin1Char(' ') && line[at] != QLatin1Char(','))
        ++at;
    return at;
}

} // namespace

Ingredient matchIngredientLine(QStringView line)
{
    const qsizetype size = line.size();
    for (qsizetype bullet = 0; bullet < size; ++bullet) {
        if (line[bullet] != QLatin1Char('-') && line[bullet] != QLatin1Char('*'))
            continue;
        const qsizetype amountBegin = skipBlanks(line, bullet + 1);
        if (amountBegin == bullet + 1)
            continue;
        const qsizetype amountEnd = skipWord(line, amountBegin);
        if (amountEnd == amountBegin)
            continue;
        const qsizetype unitBegin = skipBlanks(line, amountEnd);
        if (unitBegin == amountEnd) // a comma or the end right after the amount
            continue;
        const qsizetype unitEnd = skipWord(line, unitBegin);
        if (unitEnd == unitBegin)
            continue;
        qsizetype nameBegin = skipBlanks(line, unitEnd);
        if (nameBegin == unitEnd)
            continue;
        if (nameBegin == size || line[nameBegin] == QLatin1Char(',')) {
            // The pattern backtracks: the last of two or more blanks becomes
            // the name (which trims to empty); one blank is not enough.
            if (nameBegin - unitEnd < 2)
                continue;
            --nameBegin;
        }
        qsizetype nameEnd = nameBegin;
        while (nameEnd < size && line[nameEnd] != QLatin1Char(','))
            ++nameEnd;
        return {line.sliced(amountBegin, amountEnd - amountBegin).trimmed().toString(),
                line.sliced(unitBegin, unitEnd - unitBegin).trimmed().toString(),
                line.sliced(nameBegin, nameEnd - nameBegin).trimmed().toString()};
    }
    return {};
}
