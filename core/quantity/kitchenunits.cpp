#include "quantity/kitchenunits.h"

#include "quantity/unitgroups.h"

#include <QChar>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

// One measure and its spellings. The first spelling of a measure that adds
// up with others is its key; a measure that only ever adds up with itself is
// listed under its own key.
struct Measure
{
    const char* key;
    const char* spellings; // separated by '|', compared case-folded
};

// Spaced scripts: whole words (with an abbreviation's full stop) or phrases.
constexpr Measure spacedMeasures[] = {
    {"g", "g|gr|gr.|gram|grams|gramme|grammes|gramm|grammi|gramo|gramos"},
    {"kg", "kg|kgs|kilo|kilos|kilogram|kilograms|kilogramm|kilogramme|kilogrammes|kilogramos"},
    {"mg", "mg|milligram|milligrams|milligramm|milligramme|milligrammes"},
    {"ml", "ml|mls|milliliter|milliliters|millilitre|millilitres|mililitro|mililitros|"
           "millilitro|millilitri"},
    {"cl", "cl|centiliter|centilitre|centilitres"},
    {"dl", "dl|deciliter|decilitre|decilitres"},
    {"l", "l|ltr|liter|liters|litre|litres|litro|litros|litri"},
    {"tsp", "tsp|tsp.|tsps|teaspoon|teaspoons|tl|tl.|c. à c.|c.à.c.|cac|cuillère à café|"
            "cuillères à café|cuillere a cafe|cdta|cdtas|cucharadita|cucharaditas|cucchiaino|"
            "cucchiaini"},
    {"tbsp", "tbsp|tbsp.|tbsps|tbs|tbl|tb|tablespoon|tablespoons|el|el.|c. à s.|c.à.s.|cas|"
             "cuillère à soupe|cuillères à soupe|cuillere a soupe|cda|cdas|cucharada|cucharadas|"
             "cucchiaio|cucchiai"},
    {"cup", "cup|cups|tasse|tassen|tasses|taza|tazas|tazza|tazze"},
    // Lengths ("3 cm ginger", "1 inch piece"): they add up with nothing else.
    {"cm", "cm|centimeter|centimeters|centimetre|centimetres|zentimeter|centimètre|"
           "centimètres|centímetro|centímetros|centimetro|centimetri"},
    {"mm", "mm|millimeter|millimeters|millimetre|millimetres|millimètre|millimètres"},
    {"inch", "inch|inches|zoll|pouce|pouces|pulgada|pulgadas|pollice|pollici"},
    {"oz", "oz|oz.|ounce|ounces|fl oz|fl. oz."},
    {"lb", "lb|lb.|lbs|lbs.|pound|pounds|pfund"},
    {"pint", "pint|pints|pt"},
    {"quart", "quart|quarts|qt"},
    {"gallon", "gallon|gallons|gal"},
    {"clove", "clove|cloves|zehe|zehen|gousse|gousses|diente|dientes|spicchio|spicchi"},
    {"can", "can|cans|tin|tins|dose|dosen|boîte|boîtes|lata|latas|lattina|lattine"},
    {"bag", "bag|bags|beutel"},
    {"jar", "jar|jars|glas|gläser|bocal|bocaux|frasco|frascos|barattolo|barattoli"},
    {"bunch", "bunch|bunches|bund|bunde|bünde|botte|bottes|manojo|manojos|mazzo|mazzi"},
    {"pinch", "pinch|pinches|prise|prisen|pincée|pincées|pizca|pizcas|pizzico|pizzichi"},
    {"dash", "dash|dashes|schuss|spritzer|trait|chorrito|goccio"},
    {"handful", "handful|handfuls|handvoll|poignée|poignées|puñado|puñados|manciata|manciate"},
    {"slice", "slice|slices|scheibe|scheiben|tranche|tranches|rebanada|rebanadas|fetta|fette"},
    {"sprig", "sprig|sprigs|zweig|zweige|brin|brins|ramita|ramitas|rametto|rametti"},
    {"stick", "stick|sticks|stange|stangen"},
    {"stalk", "stalk|stalks"},
    {"head", "head|heads|kopf|köpfe"},
    {"sheet", "sheet|sheets|blatt|blätter"},
    {"drop", "drop|drops|tropfen|goutte|gouttes|gota|gotas|goccia|gocce"},
    {"piece", "piece|pieces|pc|pc.|pcs|pcs.|stück|stk|stk.|st.|pièce|pièces|pieza|piezas|pezzo|"
              "pezzi"},
    {"package", "pkg|pkg.|pkgs|package|packages|packet|packets|pack|packs|päckchen|pck|pck.|"
                "packung|packungen|sachet|sachets|paquet|paquets|sobre|sobres|bustina|bustine"},
    {"msp", "msp|msp.|messerspitze|messerspitzen"},
    {"becher", "becher"},
    {"cube", "cube|cubes|würfel"},
    {"knob", "knob|knobs"},
};

// Measure words of scripts written without spaces, matched where they start;
// the longer of two that begin alike is listed first.
constexpr Measure unspacedMeasures[] = {
    {"kg", "千克|公斤|キロ"},
    {"ml", "毫升|ミリリットル"},
    {"tsp", "茶匙|小勺|小さじ"},
    {"tbsp", "汤匙|大勺|大さじ"},
    {"cup", "カップ"},
    {"g", "克|グラム"},
    {"cm", "厘米|公分|センチ"},
    {"mm", "毫米|ミリ"},
    {"l", "升|リットル"},
    {"clove", "瓣"},
    {"can", "罐|缶"},
    {"个", "个"},
    {"只", "只"},
    {"根", "根"},
    {"片", "片"},
    {"勺", "勺"},
    {"杯", "杯"},
    {"条", "条"},
    {"块", "块"},
    {"颗", "颗"},
    {"把", "把"},
    {"本", "本"},
    {"枚", "枚"},
    {"個", "個"},
    {"张", "张"},
    {"碗", "碗"},
    {"袋", "袋"},
    {"包", "包"},
    {"盒", "盒"},
    {"滴", "滴"},
    {"束", "束"},
    {"合", "合"},
};

// Every spelling, folded, with its measure's key; and the phrases of several
// words, which are looked for before single words.
class UnitTable
{
public:
    UnitTable()
    {
        for (const Measure& measure : spacedMeasures) {
            const QString key = QString::fromUtf8(measure.key);
            const QStringList spellings =
                QString::fromUtf8(measure.spellings).split(QLatin1Char('|'));
            for (const QString& spelling : spellings) {
                m_keyOf.insert(spelling, key);
                if (spelling.contains(QLatin1Char(' ')))
                    m_phrases.append(spelling);
            }
        }
        // Longer phrases first, so that "fl. oz." wins over "fl oz".
        std::sort(m_phrases.begin(), m_phrases.end(),
                  [](const QString& a, const QString& b) { return a.size() > b.size(); });
        for (const Measure& measure : unspacedMeasures) {
            const QString key = QString::fromUtf8(measure.key);
            for (const QString& spelling :
                 QString::fromUtf8(measure.spellings).split(QLatin1Char('|'))) {
                m_keyOf.insert(spelling, key);
                m_unspaced.append(spelling);
            }
        }
        std::stable_sort(m_unspaced.begin(), m_unspaced.end(),
                         [](const QString& a, const QString& b) { return a.size() > b.size(); });
        // Views of the keys the table holds, for looking words up in place.
        for (auto it = m_keyOf.keyBegin(); it != m_keyOf.keyEnd(); ++it)
            m_spellings.insert(QStringView(*it));
    }

    QString keyOf(QStringView folded) const { return m_keyOf.value(folded.toString()); }
    bool contains(QStringView folded) const { return m_spellings.contains(folded); }
    const QStringList& phrases() const { return m_phrases; }
    const QStringList& unspaced() const { return m_unspaced; }

private:
    QHash<QString, QString> m_keyOf;
    QSet<QStringView> m_spellings;
    QStringList m_phrases;
    QStringList m_unspaced;
};

const UnitTable& units()
{
    // Built once, on first use, and only read after.
    static const UnitTable table;
    return table;
}

// No spelling of a unit is longer; a longer word is looked up no further.
constexpr qsizetype longestSpelling = 16;

bool isLetter(QChar c)
{
    return c.isLetter() || c.category() == QChar::Mark_NonSpacing;
}

bool isUnspacedLetter(QChar c)
{
    const ushort u = c.unicode();
    // CJK ideographs, kana, and the CJK compatibility block.
    return (u >= 0x3040 && u <= 0x30ff) || (u >= 0x3400 && u <= 0x9fff) ||
           (u >= 0xf900 && u <= 0xfaff);
}

// The end of the spaced word starting at `from`: its letters, then a full
// stop when the word with it is a known abbreviation.
qsizetype spacedWordEnd(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && isLetter(text[end]) && !isUnspacedLetter(text[end]))
        ++end;
    return end;
}

bool endsWord(QStringView text, qsizetype at)
{
    return at >= text.size() || !isLetter(text[at]) || isUnspacedLetter(text[at]);
}

} // namespace

bool KitchenUnits::isUnit(QStringView word)
{
    const QString folded = word.trimmed().toString().toCaseFolded();
    return !folded.isEmpty() && units().contains(folded);
}

qsizetype KitchenUnits::unitLengthAt(QStringView text, qsizetype from)
{
    if (from < 0 || from >= text.size())
        return 0;
    const UnitTable& table = units();
    if (isUnspacedLetter(text[from])) {
        for (const QString& unit : table.unspaced()) {
            if (text.sliced(from).startsWith(unit))
                return unit.size();
        }
        return 0;
    }
    if (!isLetter(text[from]))
        return 0;
    const QChar first = text[from].toCaseFolded();
    for (const QString& phrase : table.phrases()) {
        if (phrase[0] != first)
            continue;
        if (text.sliced(from).startsWith(phrase, Qt::CaseInsensitive) &&
            (phrase.endsWith(QLatin1Char('.')) || endsWord(text, from + phrase.size())))
            return phrase.size();
    }
    const qsizetype end = spacedWordEnd(text, from);
    if (end == from || end - from > longestSpelling)
        return 0;
    // Abbreviations ("Msp.", "pcs.") keep their full stop; after any other
    // unit ("add 2 g.") the stop ends a sentence and stays out.
    QChar folded[longestSpelling + 1];
    const qsizetype length = end - from;
    for (qsizetype i = 0; i < length; ++i)
        folded[i] = text[from + i].toCaseFolded();
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        folded[length] = QLatin1Char('.');
        if (table.contains(QStringView(folded, length + 1)))
            return length + 1;
    }
    return table.contains(QStringView(folded, length)) ? length : 0;
}

QString KitchenUnits::sumKey(const QString& unit)
{
    const QString folded = unit.trimmed().toCaseFolded();
    const QString key = units().keyOf(folded);
    return key.isEmpty() ? folded : key;
}

Amount::Notation KitchenUnits::notationFor(const QString& unit)
{
    static const QStringList metric = {
        QStringLiteral("g"),  QStringLiteral("kg"), QStringLiteral("mg"),
        QStringLiteral("ml"), QStringLiteral("cl"), QStringLiteral("dl"),
        QStringLiteral("l"),  QStringLiteral("cm"), QStringLiteral("mm")};
    return metric.contains(sumKey(unit)) ? Amount::Notation::Decimals : Amount::Notation::Fractions;
}

QString KitchenUnits::formatAmount(const Amount& amount, const QString& unit, QChar decimalMark)
{
    if (!amount.isNumber())
        return amount.toDisplayString();
    const QString written = unit.trimmed();
    const Amount::Notation notation = notationFor(written);
    if (written.isEmpty())
        return amount.toDisplayString(notation, decimalMark);
    const QString key = UnitGroups::sumKey(written);
    if (!UnitGroups::isGroup(key))
        return amount.toDisplayString(notation, decimalMark) + QLatin1Char(' ') + written;
    const Amount inBase = amount.scaled(UnitGroups::baseUnitsPer(written));
    const QString shownUnit = UnitGroups::displayUnit(key, inBase.low(), {written});
    if (sumKey(shownUnit) == sumKey(written))
        return amount.toDisplayString(notation, decimalMark) + QLatin1Char(' ') + written;
    const Amount shown = inBase.scaled(Fraction(1) / UnitGroups::baseUnitsPer(shownUnit));
    return shown.toDisplayString(notation, decimalMark) + QLatin1Char(' ') + shownUnit;
}
