#include "text/wordstartmatcher.h"

#include "text/textfolding.h"

#include <QChar>

char32_t WordStartMatcher::characterAt(QStringView text, qsizetype position, qsizetype* length)
{
    const char16_t unit = text[position].unicode();
    if (QChar::isHighSurrogate(unit) && position + 1 < text.size() &&
        text[position + 1].isLowSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(unit, text[position + 1].unicode());
    }
    *length = 1;
    return unit;
}

bool WordStartMatcher::isWordCharacter(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return TextFolding::isUnspaced(c);
    }
}

void WordStartMatcher::forEachToken(QStringView folded, const TokenSink& sink)
{
    const qsizetype size = folded.size();
    qsizetype i = 0;
    while (i < size) {
        qsizetype length = 0;
        const char32_t c = characterAt(folded, i, &length);
        if (!isWordCharacter(c)) {
            i += length;
            continue;
        }
        const bool unspaced = TextFolding::isUnspaced(c);
        const qsizetype start = i;
        qsizetype previous = i;
        i += length;
        while (i < size) {
            const char32_t next = characterAt(folded, i, &length);
            if (!isWordCharacter(next) || TextFolding::isUnspaced(next) != unspaced)
                break;
            if (unspaced)
                sink(folded.mid(previous, i + length - previous), TokenKind::Unspaced);
            previous = i;
            i += length;
        }
        if (unspaced)
            sink(folded.mid(previous, i - previous), TokenKind::Unspaced);
        else
            sink(folded.mid(start, qMin(i - start, maxWordLength)), TokenKind::Word);
    }
}

bool WordStartMatcher::containsAtWordStart(QStringView foldedText, QStringView foldedNeedle)
{
    if (foldedNeedle.isEmpty())
        return true;
    qsizetype length = 0;
    const bool anywhere = TextFolding::isUnspaced(characterAt(foldedNeedle, 0, &length)) ||
                          !isWordCharacter(characterAt(foldedNeedle, 0, &length));
    for (qsizetype at = foldedText.indexOf(foldedNeedle); at >= 0;
         at = foldedText.indexOf(foldedNeedle, at + 1)) {
        if (anywhere || at == 0)
            return true;
        // The character before: step back over a surrogate pair as a whole.
        qsizetype before = at - 1;
        if (before > 0 && foldedText[before].isLowSurrogate() &&
            foldedText[before - 1].isHighSurrogate())
            --before;
        const char32_t previous = characterAt(foldedText, before, &length);
        if (!isWordCharacter(previous) || TextFolding::isUnspaced(previous))
            return true;
    }
    return false;
}

QStringView WordStartMatcher::trimmedToWords(QStringView folded)
{
    qsizetype begin = 0;
    qsizetype end = folded.size();
    qsizetype length = 0;
    while (begin < end && !isWordCharacter(characterAt(folded, begin, &length)))
        begin += length;
    while (end > begin) {
        qsizetype last = end - 1;
        if (last > begin && folded[last].isLowSurrogate() && folded[last - 1].isHighSurrogate())
            --last;
        if (isWordCharacter(characterAt(folded, last, &length)))
            break;
        end = last;
    }
    return folded.mid(begin, end - begin);
}
