#include "text/textfolding.h"

#include <QChar>

namespace {

// Letters that neither case folding nor decomposition spells out.
QStringView spelledOut(char32_t c)
{
    switch (c) {
    case 0x00DF: // ß
        return u"ss";
    case 0x00E6: // æ
        return u"ae";
    case 0x0153: // œ
        return u"oe";
    case 0x00F8: // ø
        return u"o";
    case 0x0142: // ł
        return u"l";
    case 0x0111: // đ
        return u"d";
    case 0x0131: // dotless ı
        return u"i";
    default:
        return {};
    }
}

bool isCombiningKanaMark(char32_t c)
{
    return c == 0x3099 || c == 0x309A;
}

} // namespace

bool TextFolding::isUnspaced(char32_t c)
{
    if (c < 0x0E00)
        return false;
    // Iteration and length marks belong to the kana and kanji around them.
    if ((c >= 0x3005 && c <= 0x3007) || (c >= 0x3031 && c <= 0x3035) || c == 0x30FC ||
        c == 0x3099 || c == 0x309A)
        return true;
    switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
    case QChar::Script_Yi:
    case QChar::Script_Thai:
    case QChar::Script_Lao:
    case QChar::Script_Khmer:
    case QChar::Script_Myanmar:
        return true;
    default:
        return false;
    }
}

QString TextFolding::foldCase(QStringView text)
{
    QString folded = text.toString().toCaseFolded();
    folded.replace(QChar(0x00DF), QLatin1String("ss"));
    return folded;
}

QString TextFolding::foldCharacter(char32_t c)
{
    const QString single = QString::fromUcs4(&c, 1);
    if (isUnspaced(c))
        return single.normalized(QString::NormalizationForm_KC);
    const QString decomposed = single.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    for (char32_t part : decomposed.toUcs4()) {
        if (QChar::category(part) == QChar::Mark_NonSpacing)
            continue;
        const QStringView spelled = spelledOut(part);
        if (!spelled.isEmpty())
            folded += spelled;
        else
            folded += QString::fromUcs4(&part, 1);
    }
    return folded;
}

const QString& TextFolding::foldedCharacter(char32_t c)
{
    auto found = m_folded.constFind(c);
    if (found == m_folded.constEnd())
        found = m_folded.insert(c, foldCharacter(c));
    return *found;
}

QString TextFolding::fold(QStringView text)
{
    // Decomposed kana ("か" followed by a combining voicing mark) are composed
    // first, so that they fold like the composed character.
    QString composed;
    for (QChar c : text) {
        if (isCombiningKanaMark(c.unicode())) {
            composed = text.toString().normalized(QString::NormalizationForm_C);
            text = composed;
            break;
        }
    }
    QString folded;
    folded.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            folded.append(QChar(unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit));
            continue;
        }
        char32_t c = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < size && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            folded.append(QChar(QChar::ReplacementCharacter)); // a lone half of a pair
            continue;
        }
        folded.append(foldedCharacter(c));
    }
    return folded;
}
