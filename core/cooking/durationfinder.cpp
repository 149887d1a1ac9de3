#include "cooking/durationfinder.h"

#include "quantity/fraction.h"
#include "text/textfolding.h"

#include <QChar>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <optional>

namespace {

constexpr qint64 second = 1;
constexpr qint64 minute = 60;
constexpr qint64 hour = 3600;
constexpr qsizetype maxDigits = 6;

// How a unit may be written after its number.
enum class UnitKind {
    Word,         // a whole word: may follow a number word ("an hour")
    Abbreviation, // a short form after a numeral only; may take a full stop ("Min.")
    Unspaced,     // Chinese and Japanese: no blank before or after needed
};

struct UnitWord
{
    const char16_t* text;
    qint64 seconds;
    UnitKind kind;
};

// Longer forms before the shorter ones they start with.
constexpr UnitWord unitWords[] = {
    // English
    {u"hours", hour, UnitKind::Word},
    {u"hour", hour, UnitKind::Word},
    {u"hrs", hour, UnitKind::Abbreviation},
    {u"hr", hour, UnitKind::Abbreviation},
    {u"minutes", minute, UnitKind::Word},
    {u"minute", minute, UnitKind::Word},
    {u"mins", minute, UnitKind::Abbreviation},
    {u"min", minute, UnitKind::Abbreviation},
    {u"seconds", second, UnitKind::Word},
    {u"second", second, UnitKind::Word},
    {u"secs", second, UnitKind::Abbreviation},
    {u"sec", second, UnitKind::Abbreviation},
    // German
    {u"stunden", hour, UnitKind::Word},
    {u"stunde", hour, UnitKind::Word},
    {u"stdn", hour, UnitKind::Abbreviation},
    {u"std", hour, UnitKind::Abbreviation},
    {u"minuten", minute, UnitKind::Word}, // also Dutch
    {u"sekunden", second, UnitKind::Word},
    {u"sekunde", second, UnitKind::Word},
    {u"sek", second, UnitKind::Abbreviation},
    // French
    {u"heures", hour, UnitKind::Word},
    {u"heure", hour, UnitKind::Word},
    {u"mn", minute, UnitKind::Abbreviation},
    {u"secondes", second, UnitKind::Word},
    {u"seconde", second, UnitKind::Word}, // also Dutch
    // Spanish
    {u"horas", hour, UnitKind::Word},
    {u"hora", hour, UnitKind::Word},
    {u"minutos", minute, UnitKind::Word},
    {u"minuto", minute, UnitKind::Word}, // also Italian
    {u"segundos", second, UnitKind::Word},
    {u"segundo", second, UnitKind::Word},
    {u"seg", second, UnitKind::Abbreviation},
    // Italian
    {u"ore", hour, UnitKind::Word},
    {u"ora", hour, UnitKind::Word},
    {u"minuti", minute, UnitKind::Word},
    {u"secondi", second, UnitKind::Word},
    {u"secondo", second, UnitKind::Word},
    // Dutch
    {u"uren", hour, UnitKind::Word},
    {u"uur", hour, UnitKind::Word},
    {u"minuut", minute, UnitKind::Word},
    {u"seconden", second, UnitKind::Word},
    // the one-letter hour of French, German and English recipes ("1 h", "1h30")
    {u"h", hour, UnitKind::Abbreviation},
    // Chinese
    {u"个小时", hour, UnitKind::Unspaced},
    {u"個小時", hour, UnitKind::Unspaced},
    {u"小时", hour, UnitKind::Unspaced},
    {u"小時", hour, UnitKind::Unspaced},
    {u"钟头", hour, UnitKind::Unspaced},
    {u"鐘頭", hour, UnitKind::Unspaced},
    {u"分钟", minute, UnitKind::Unspaced},
    {u"分鐘", minute, UnitKind::Unspaced},
    {u"秒钟", second, UnitKind::Unspaced},
    {u"秒鐘", second, UnitKind::Unspaced},
    // Japanese
    {u"時間", hour, UnitKind::Unspaced},
    {u"分間", minute, UnitKind::Unspaced},
    {u"秒間", second, UnitKind::Unspaced},
    // both
    {u"分", minute, UnitKind::Unspaced},
    {u"秒", second, UnitKind::Unspaced},
};

// Words standing for a number before a unit word. `glued` words take the
// unit without a blank ("un'ora", "demi-heure").
struct NumberWord
{
    const char16_t* text;
    qint64 numerator;
    qint64 denominator;
    bool glued;
};

constexpr NumberWord numberWords[] = {
    // English
    {u"one and a half", 3, 2, false},
    {u"half an", 1, 2, false},
    {u"half a", 1, 2, false},
    {u"a half", 1, 2, false},
    {u"an", 1, 1, false},
    {u"a", 1, 1, false},
    {u"one", 1, 1, false},
    // German
    {u"eine halbe", 1, 2, false},
    {u"einer halben", 1, 2, false},
    {u"eineinhalb", 3, 2, false},
    {u"anderthalb", 3, 2, false},
    {u"halbe", 1, 2, false},
    {u"eine", 1, 1, false},
    {u"einer", 1, 1, false},
    {u"einen", 1, 1, false},
    {u"ein", 1, 1, false},
    // French
    {u"une demi-", 1, 2, true},
    {u"un demi-", 1, 2, true},
    {u"demi-", 1, 2, true},
    {u"une", 1, 1, false},
    {u"un", 1, 1, false}, // also Spanish
    // Spanish
    {u"media", 1, 2, false},
    {u"una", 1, 1, false},
    // Italian
    {u"un'", 1, 1, true},
    {u"mezz'", 1, 2, true},
    {u"mezza", 1, 2, false},
    {u"mezzo", 1, 2, false},
    {u"uno", 1, 1, false},
    // Dutch
    {u"een half", 1, 2, false},
    {u"anderhalf", 3, 2, false},
    {u"half", 1, 2, false},
    {u"een", 1, 1, false},
};

// Words between a number and its unit that keep it a span: "2-3 more minutes".
constexpr const char16_t* moreWords[] = {u"more",    u"additional", u"extra",
                                         u"further", u"weitere",    u"weiteren"};

// What may stand after a unit to add half of it.
constexpr const char16_t* halfSuffixes[] = {
    u" and a half", u" et demie", u" et demi",        u" y media", u" y medio",
    u" e mezza",    u" e mezzo",  u" und eine halbe", u"半",
};

// Words that join the two ends of a range; blanks around them are required.
constexpr const char16_t* rangeWords[] = {u"to", u"bis",  u"à",  u"a", u"tot",
                                          u"or", u"oder", u"ou", u"o"};
constexpr char16_t rangeMarks[] = {u'-', u'–', u'—', u'~', u'～', u'〜', u'至', u'到'};

// Words that join the parts of a compound ("1 hour and 20 minutes").
constexpr const char16_t* joinWords[] = {u"and", u"und", u"et", u"y", u"e", u"en"};

// Words that make the hour after them a time of day ("at 8 h", "um 18 Uhr").
constexpr const char16_t* clockWords[] = {u"at", u"um", u"à", u"vers", u"om", u"alle", u"las"};

constexpr char16_t vulgarGlyphs[] = {u'½', u'¼', u'¾', u'⅓', u'⅔', u'⅛', u'⅜', u'⅝', u'⅞'};
constexpr qint64 vulgarValues[][2] = {{1, 2}, {1, 4}, {3, 4}, {1, 3}, {2, 3},
                                      {1, 8}, {3, 8}, {5, 8}, {7, 8}};

bool isLatinWordCharacter(QChar c)
{
    if (!c.isLetterOrNumber())
        return false;
    return !TextFolding::isUnspaced(c.unicode());
}

QChar foldedAt(QStringView text, qsizetype at)
{
    const QChar c = text[at];
    if (c == QChar(u'’'))
        return QChar(u'\'');
    return c.toCaseFolded();
}

// Whether `word` stands at `at`, without regard to case.
bool startsWithAt(QStringView text, qsizetype at, QStringView word)
{
    if (at < 0 || at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (foldedAt(text, at + i) != word[i])
            return false;
    }
    return true;
}

bool wordEndsAt(QStringView text, qsizetype at)
{
    return at >= text.size() || !isLatinWordCharacter(text[at]);
}

qsizetype skipBlanks(QStringView text, qsizetype at)
{
    while (at < text.size() && (text[at] == QLatin1Char(' ') || text[at] == QChar(0x00a0)))
        ++at;
    return at;
}

struct Reading
{
    Fraction value;
    qsizetype end = 0;
};

// The words for the numbers from one to sixty in English, German, French,
// Spanish, Italian and Dutch, with their compounds ("twenty-five",
// "fünfundzwanzig", "vingt-cinq", "treinta y cinco", "venticinque",
// "vijfentwintig"), lower case. Built once, on first use, and only read after.
class CountWords
{
public:
    CountWords()
    {
        addEnglish();
        addGerman();
        addFrench();
        addSpanish();
        addItalian();
        addDutch();
    }

    // The number `words` stand for; 0 when they stand for none.
    int valueOf(const QString& words) const { return m_values.value(words, 0); }
    // Whether some number word starts with the word `first`.
    bool starts(const QString& first) const { return m_firstWords.contains(first); }

private:
    void add(const QString& words, int value)
    {
        m_values.insert(words, value);
        m_firstWords.insert(words.section(QLatin1Char(' '), 0, 0));
    }

    // `words` are the numbers from `first` on, one after the other.
    void addRun(int first, const char16_t* words)
    {
        const QStringList list = QString::fromUtf16(words).split(QLatin1Char(' '));
        for (qsizetype i = 0; i < list.size(); ++i)
            add(list.at(i), first + int(i));
    }

    // Tens from `firstTen` on, each with the ones after it as `join` makes them.
    template<typename Join>
    void addTens(int firstTen, const char16_t* tens, const char16_t* ones, Join join)
    {
        const QStringList tenWords = QString::fromUtf16(tens).split(QLatin1Char(' '));
        const QStringList oneWords = QString::fromUtf16(ones).split(QLatin1Char(' '));
        for (qsizetype t = 0; t < tenWords.size(); ++t) {
            const int ten = firstTen + 10 * int(t);
            add(tenWords.at(t), ten);
            for (qsizetype o = 0; o < oneWords.size() && ten < 60; ++o)
                add(join(tenWords.at(t), oneWords.at(o)), ten + 1 + int(o));
        }
    }

    void addEnglish()
    {
        addRun(1, u"one two three four five six seven eight nine ten eleven twelve thirteen "
                  u"fourteen fifteen sixteen seventeen eighteen nineteen");
        const char16_t* ones = u"one two three four five six seven eight nine";
        addTens(20, u"twenty thirty forty fifty sixty", ones,
                [](const QString& ten, const QString& one) { return ten + u'-' + one; });
        addTens(20, u"twenty thirty forty fifty sixty", ones,
                [](const QString& ten, const QString& one) { return ten + u' ' + one; });
    }

    void addGerman()
    {
        addRun(2, u"zwei drei vier fünf sechs sieben acht neun zehn elf zwölf dreizehn vierzehn "
                  u"fünfzehn sechzehn siebzehn achtzehn neunzehn");
        const auto join = [](const QString& ten, const QString& one) {
            return one + QStringLiteral("und") + ten;
        };
        const char16_t* ones = u"ein zwei drei vier fünf sechs sieben acht neun";
        addTens(20, u"zwanzig dreißig vierzig fünfzig sechzig", ones, join);
        addTens(20, u"zwanzig dreissig", ones, join);
    }

    void addFrench()
    {
        addRun(2, u"deux trois quatre cinq six sept huit neuf dix onze douze treize quatorze "
                  u"quinze seize dix-sept dix-huit dix-neuf");
        addTens(20, u"vingt trente quarante cinquante soixante",
                u"et-un deux trois quatre cinq six sept huit neuf",
                [](const QString& ten, const QString& one) { return ten + u'-' + one; });
        for (const char16_t* ten : {u"vingt", u"trente", u"quarante", u"cinquante"}) {
            const QString word = QString::fromUtf16(ten);
            add(word + QStringLiteral(" et un"), valueOf(word) + 1);
            add(word + QStringLiteral(" et une"), valueOf(word) + 1);
        }
    }

    void addSpanish()
    {
        addRun(2, u"dos tres cuatro cinco seis siete ocho nueve diez once doce trece catorce "
                  u"quince dieciséis diecisiete dieciocho diecinueve veinte veintiuno veintidós "
                  u"veintitrés veinticuatro veinticinco veintiséis veintisiete veintiocho "
                  u"veintinueve");
        addTens(30, u"treinta cuarenta cincuenta sesenta",
                u"uno dos tres cuatro cinco seis siete ocho nueve",
                [](const QString& ten, const QString& one) {
                    return ten + QStringLiteral(" y ") + one;
                });
    }

    void addItalian()
    {
        addRun(2, u"due tre quattro cinque sei sette otto nove dieci undici dodici tredici "
                  u"quattordici quindici sedici diciassette diciotto diciannove");
        // "ventuno", "ventotto": the ten loses its vowel before a vowel;
        // "ventitré" takes an accent.
        addTens(20, u"venti trenta quaranta cinquanta sessanta",
                u"uno due tré quattro cinque sei sette otto nove",
                [](const QString& ten, const QString& one) {
                    const bool vowel = one.startsWith(u'u') || one.startsWith(u'o');
                    return (vowel ? ten.chopped(1) : ten) + one;
                });
        for (const char16_t* ten : {u"venti", u"trenta", u"quaranta", u"cinquanta"}) {
            const QString word = QString::fromUtf16(ten);
            add(word + QStringLiteral("tre"), valueOf(word) + 3);
        }
    }

    void addDutch()
    {
        addRun(2, u"twee drie vier vijf zes zeven acht negen tien elf twaalf dertien veertien "
                  u"vijftien zestien zeventien achttien negentien");
        // "vijfentwintig", "tweeëntwintig": after an e the joining "en" takes a diaeresis.
        addTens(20, u"twintig dertig veertig vijftig zestig",
                u"een twee drie vier vijf zes zeven acht negen",
                [](const QString& ten, const QString& one) {
                    return one +
                           (one.endsWith(u'e') ? QStringLiteral("ën") : QStringLiteral("en")) + ten;
                });
    }

    QHash<QString, int> m_values;
    QSet<QString> m_firstWords;
};

const CountWords& countWords()
{
    static const CountWords words;
    return words;
}

// The end of the word at `at`: letters, and hyphens between them ("vingt-cinq").
qsizetype countWordEnd(QStringView text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && (isLatinWordCharacter(text[end]) ||
                                 (text[end] == QLatin1Char('-') && end > at &&
                                  end + 1 < text.size() && isLatinWordCharacter(text[end + 1]))))
        ++end;
    return end;
}

QString foldedText(QStringView text, qsizetype from, qsizetype to)
{
    QString folded(to - from, Qt::Uninitialized);
    for (qsizetype i = from; i < to; ++i)
        folded[i - from] = foldedAt(text, i);
    return folded;
}

// A number in words at `at`, of up to three words ("vingt et un").
std::optional<Reading> readCountWord(QStringView text, qsizetype at)
{
    constexpr qsizetype longestWord = 24;
    if (at >= text.size() || !isLatinWordCharacter(text[at]) || text[at].isDigit())
        return std::nullopt;
    const CountWords& words = countWords();
    qsizetype ends[3] = {countWordEnd(text, at), 0, 0};
    if (ends[0] - at > longestWord || !words.starts(foldedText(text, at, ends[0])))
        return std::nullopt;
    int count = 1;
    while (count < 3 && ends[count - 1] + 1 < text.size() &&
           text[ends[count - 1]] == QLatin1Char(' ')) {
        const qsizetype next = countWordEnd(text, ends[count - 1] + 1);
        if (next == ends[count - 1] + 1 || next - at > 3 * longestWord)
            break;
        ends[count++] = next;
    }
    for (int i = count - 1; i >= 0; --i) {
        if (const int value = words.valueOf(foldedText(text, at, ends[i])))
            return Reading{Fraction(value), skipBlanks(text, ends[i])};
    }
    return std::nullopt;
}

std::optional<Fraction> vulgarFraction(QChar c)
{
    for (std::size_t i = 0; i < std::size(vulgarGlyphs); ++i) {
        if (c == QChar(vulgarGlyphs[i]))
            return Fraction(vulgarValues[i][0], vulgarValues[i][1]);
    }
    return std::nullopt;
}

std::optional<Reading> readDigits(QStringView text, qsizetype at)
{
    qsizetype end = at;
    qint64 value = 0;
    while (end < text.size() && text[end].digitValue() >= 0 && end - at < maxDigits) {
        value = value * 10 + text[end].digitValue();
        ++end;
    }
    if (end == at || (end < text.size() && text[end].digitValue() >= 0))
        return std::nullopt;
    return Reading{Fraction(value), end};
}

int chineseDigit(QChar c)
{
    static constexpr char16_t digits[] = u"零一二三四五六七八九";
    for (int i = 0; i < 10; ++i) {
        if (c == QChar(digits[i]))
            return i;
    }
    return c == QChar(u'两') || c == QChar(u'兩') ? 2 : -1;
}

// "五", "十", "十五", "二十", "二十五": the numbers a recipe counts minutes in.
std::optional<Reading> readChineseNumeral(QStringView text, qsizetype at)
{
    qsizetype end = at;
    int tens = 0;
    int ones = -1;
    if (end < text.size() && chineseDigit(text[end]) >= 0)
        ones = chineseDigit(text[end++]);
    if (end < text.size() && text[end] == QChar(u'十')) {
        tens = ones < 0 ? 1 : ones;
        ones = 0;
        ++end;
        if (end < text.size() && chineseDigit(text[end]) > 0)
            ones = chineseDigit(text[end++]);
    }
    if (end == at)
        return std::nullopt;
    return Reading{Fraction(tens * 10 + ones), end};
}

// A numeral: "20", "1.5", "1,5", "1/2", "½", "1½", "1 1/2", "二十"; then
// "个半" or "半" of Chinese and Japanese add a half ("一个半小时").
std::optional<Reading> readNumeral(QStringView text, qsizetype at)
{
    std::optional<Reading> reading;
    if (at < text.size() && vulgarFraction(text[at])) {
        reading = Reading{*vulgarFraction(text[at]), at + 1};
    } else if (auto digits = readDigits(text, at)) {
        reading = digits;
        const qsizetype end = digits->end;
        if (end + 1 < text.size() &&
            (text[end] == QLatin1Char('.') || text[end] == QLatin1Char(',')) &&
            text[end + 1].digitValue() >= 0) {
            const auto decimals = readDigits(text, end + 1);
            if (!decimals)
                return std::nullopt;
            qint64 scale = 1;
            for (qsizetype i = end + 1; i < decimals->end; ++i)
                scale *= 10;
            reading = Reading{digits->value + Fraction(decimals->value.numerator(), scale),
                              decimals->end};
        } else if (end + 1 < text.size() && text[end] == QLatin1Char('/')) {
            const auto bottom = readDigits(text, end + 1);
            if (!bottom || bottom->value.isZero())
                return std::nullopt;
            reading = Reading{digits->value / bottom->value, bottom->end};
        } else if (end < text.size() && vulgarFraction(text[end])) {
            reading = Reading{digits->value + *vulgarFraction(text[end]), end + 1};
        } else if (end + 1 < text.size() && text[end] == QLatin1Char(' ')) {
            // "1 1/2 hours", "1 ½ hours"
            if (vulgarFraction(text[end + 1]))
                reading = Reading{digits->value + *vulgarFraction(text[end + 1]), end + 2};
            else if (const auto top = readDigits(text, end + 1);
                     top && top->end + 1 < text.size() && text[top->end] == QLatin1Char('/')) {
                const auto bottom = readDigits(text, top->end + 1);
                if (bottom && top->value < bottom->value && !bottom->value.isZero())
                    reading = Reading{digits->value + top->value / bottom->value, bottom->end};
            }
        }
    } else {
        reading = readChineseNumeral(text, at);
    }
    qsizetype end = reading ? reading->end : at;
    const qsizetype counted = end;
    if (end < text.size() && (text[end] == QChar(u'个') || text[end] == QChar(u'個')))
        ++end;
    if (end < text.size() && text[end] == QChar(u'半')) {
        const Fraction whole = reading ? reading->value : Fraction(0);
        return Reading{whole + Fraction(1, 2), end + 1};
    }
    if (reading)
        reading->end = counted;
    return reading;
}

struct UnitReading
{
    qint64 seconds = 0;
    UnitKind kind = UnitKind::Word;
    qsizetype end = 0;
};

// Whether the full stop at `at` belongs to the abbreviation before it ("25
// Min. backen", "1 Std. 15 Min.") rather than ending the sentence ("rest 5
// min." or "5 min. Then").
bool abbreviationStopAt(QStringView text, qsizetype at)
{
    if (at >= text.size() || text[at] != QLatin1Char('.'))
        return false;
    const qsizetype next = skipBlanks(text, at + 1);
    if (next == at + 1 || next >= text.size())
        return next < text.size() &&
               (text[next] == QLatin1Char(',') || text[next] == QLatin1Char(')'));
    return text[next].isLower() || text[next].digitValue() >= 0;
}

std::optional<UnitReading> readUnit(QStringView text, qsizetype at)
{
    for (const UnitWord& unit : unitWords) {
        const QStringView word(unit.text);
        if (!startsWithAt(text, at, word))
            continue;
        qsizetype end = at + word.size();
        if (unit.kind == UnitKind::Unspaced) {
            // "三分之一" is a third, not three minutes.
            if (end < text.size() && text[end] == QChar(u'之'))
                return std::nullopt;
            return UnitReading{unit.seconds, unit.kind, end};
        }
        // "1h30" runs the minutes on after the hour's letter.
        const bool hourThenDigits =
            word == u"h" && end < text.size() && text[end].digitValue() >= 0;
        if (!wordEndsAt(text, end) && !hourThenDigits)
            continue;
        if (unit.kind == UnitKind::Abbreviation && word != u"h" && abbreviationStopAt(text, end))
            ++end;
        return UnitReading{unit.seconds, unit.kind, end};
    }
    return std::nullopt;
}

std::optional<Reading> readNumberWord(QStringView text, qsizetype at)
{
    // "one" of "sixty-one" is no number of its own.
    if (at >= 2 && text[at - 1] == QLatin1Char('-') && isLatinWordCharacter(text[at - 2]))
        return std::nullopt;
    std::optional<Reading> best;
    for (const NumberWord& number : numberWords) {
        const QStringView word(number.text);
        if (!startsWithAt(text, at, word))
            continue;
        qsizetype end = at + word.size();
        if (!number.glued) {
            if (!wordEndsAt(text, end))
                continue;
            end = skipBlanks(text, end);
        }
        if (!best || end > best->end)
            best = Reading{Fraction(number.numerator, number.denominator), end};
    }
    const std::optional<Reading> count = readCountWord(text, at);
    if (count && (!best || count->end > best->end))
        return count;
    return best;
}

bool separatesWords(QStringView text, qsizetype at)
{
    if (at <= 0)
        return true;
    const QChar before = text[at - 1];
    if (isLatinWordCharacter(before))
        return false;
    // Digits after "10:", "1." or "3/" belong to a time of day or a number.
    const bool joiner = before == QLatin1Char(':') || before == QLatin1Char('.') ||
                        before == QLatin1Char(',') || before == QLatin1Char('/');
    return !(joiner && at >= 2 && text[at - 2].digitValue() >= 0);
}

// The word just before `at` is one that makes an hour a time of day.
bool followsClockWord(QStringView text, qsizetype at)
{
    qsizetype end = at;
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    for (const char16_t* clock : clockWords) {
        const QStringView word(clock);
        const qsizetype start = end - word.size();
        if (start >= 0 && startsWithAt(text, start, word) && separatesWords(text, start))
            return true;
    }
    return false;
}

// The second end of a range after `low`: a mark or a word, then a numeral.
std::optional<Reading> readRangeEnd(QStringView text, qsizetype at)
{
    const qsizetype afterBlanks = skipBlanks(text, at);
    if (afterBlanks >= text.size())
        return std::nullopt;
    qsizetype next = -1;
    for (const char16_t mark : rangeMarks) {
        if (text[afterBlanks] == QChar(mark))
            next = afterBlanks + 1;
    }
    if (next < 0 && afterBlanks > at) {
        for (const char16_t* joining : rangeWords) {
            const QStringView word(joining);
            if (startsWithAt(text, afterBlanks, word) && afterBlanks + word.size() < text.size() &&
                text[afterBlanks + word.size()] == QLatin1Char(' ')) {
                next = afterBlanks + word.size();
                break;
            }
        }
    }
    if (next < 0)
        return std::nullopt;
    return readNumeral(text, skipBlanks(text, next));
}

qint64 secondsOf(const Fraction& value, qint64 unitSeconds)
{
    const Fraction total = value * Fraction(unitSeconds);
    return (total.numerator() + total.denominator() / 2) / total.denominator();
}

// "und", "and", "," and blanks between the parts of a compound.
qsizetype skipJoin(QStringView text, qsizetype at)
{
    qsizetype next = skipBlanks(text, at);
    if (next < text.size() && text[next] == QLatin1Char(','))
        next = skipBlanks(text, next + 1);
    for (const char16_t* joining : joinWords) {
        const QStringView word(joining);
        if (next > at && startsWithAt(text, next, word) && next + word.size() < text.size() &&
            text[next + word.size()] == QLatin1Char(' '))
            return skipBlanks(text, next + word.size());
    }
    return next;
}

qsizetype afterMoreWord(QStringView text, qsizetype at)
{
    for (const char16_t* more : moreWords) {
        const QStringView word(more);
        if (startsWithAt(text, at, word) && wordEndsAt(text, at + word.size()))
            return skipBlanks(text, at + word.size());
    }
    return at;
}

struct Span
{
    qint64 low = 0;
    qint64 high = 0;
    qsizetype end = 0;
};

// Adds half of the unit for "an hour and a half", "1時間半".
void readHalfSuffix(QStringView text, Span& span, qint64 unitSeconds)
{
    for (const char16_t* suffix : halfSuffixes) {
        const QStringView words(suffix);
        const qsizetype end = span.end + words.size();
        if (startsWithAt(text, span.end, words) &&
            (words.front() != QLatin1Char(' ') || wordEndsAt(text, end))) {
            span.low += unitSeconds / 2;
            span.high += unitSeconds / 2;
            span.end = end;
            return;
        }
    }
}

// Smaller parts after the first: "1 hour 20 minutes", "1 Std. 15 Min.",
// "1h30", "1 h 30", "1小时20分钟".
void readCompoundParts(QStringView text, Span& span, qint64 unitSeconds, bool hourLetter)
{
    while (unitSeconds > second) {
        const qsizetype at = skipJoin(text, span.end);
        if (!separatesWords(text, at) && !(hourLetter && at == span.end))
            return;
        const auto number = readNumeral(text, at);
        if (!number || !number->value.isWhole())
            return;
        const qsizetype unitAt = skipBlanks(text, number->end);
        const auto unit = readUnit(text, unitAt);
        if (unit && unit->seconds < unitSeconds) {
            span.low += secondsOf(number->value, unit->seconds);
            span.high = span.low;
            span.end = unit->end;
            unitSeconds = unit->seconds;
            hourLetter = false;
            continue;
        }
        // "1h30" and "1 h 30": the minutes need no unit after the hour's letter.
        const bool twoDigits = number->end - at == 2 || at == span.end;
        if (!unit && hourLetter && twoDigits && number->value < Fraction(60) &&
            wordEndsAt(text, number->end)) {
            span.low += secondsOf(number->value, minute);
            span.high = span.low;
            span.end = number->end;
        }
        return;
    }
}

std::optional<Span> readSpan(QStringView text, qsizetype at)
{
    Fraction low;
    Fraction high;
    qsizetype end = 0;
    bool wordNumber = false;
    if (const auto numeral = readNumeral(text, at)) {
        low = high = numeral->value;
        end = numeral->end;
        if (const auto rangeEnd = readRangeEnd(text, end); rangeEnd && low < rangeEnd->value) {
            high = rangeEnd->value;
            end = rangeEnd->end;
        }
    } else if (const auto word = readNumberWord(text, at)) {
        low = high = word->value;
        end = word->end;
        wordNumber = true;
    } else {
        return std::nullopt;
    }
    qsizetype unitAt = skipBlanks(text, end);
    std::optional<UnitReading> unit = readUnit(text, unitAt);
    if (!unit) {
        unitAt = afterMoreWord(text, unitAt);
        unit = readUnit(text, unitAt);
    }
    if (!unit || low.isZero())
        return std::nullopt;
    // "a second time" and "un secondo piatto" count nothing.
    if (wordNumber &&
        (unit->kind != UnitKind::Word || (unit->seconds == second && low == Fraction(1))))
        return std::nullopt;
    if (unit->seconds == hour && followsClockWord(text, at))
        return std::nullopt;
    Span span{secondsOf(low, unit->seconds), secondsOf(high, unit->seconds), unit->end};
    const bool hourLetter = unit->seconds == hour && unit->end - unitAt == 1;
    readHalfSuffix(text, span, unit->seconds);
    if (low == high)
        readCompoundParts(text, span, unit->seconds, hourLetter);
    // Less than half a second ("1/1000 sec") is no span to time.
    if (span.low <= 0)
        return std::nullopt;
    return span;
}

} // namespace

QList<StepDuration> DurationFinder::find(QStringView text)
{
    QList<StepDuration> durations;
    qsizetype at = 0;
    while (at < text.size()) {
        if (!separatesWords(text, at)) {
            ++at;
            continue;
        }
        const std::optional<Span> span = readSpan(text, at);
        if (!span) {
            ++at;
            continue;
        }
        if (span->high <= maxSeconds)
            durations.append(StepDuration{at, span->end - at, span->low, span->high});
        at = span->end;
    }
    return durations;
}
