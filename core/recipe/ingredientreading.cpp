#include "recipe/ingredientreading.h"

#include "quantity/kitchenunits.h"

#include <QLatin1String>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

namespace {

// ---- Cleaning the line: bullet, Markdown, blanks ----------------------------

// Word lists are made once, on first use, and only read after.
QStringList wordList(std::initializer_list<const char*> words)
{
    QStringList list;
    for (const char* word : words)
        list.append(QString::fromUtf8(word));
    return list;
}

bool isBlank(QChar c)
{
    return c.isSpace() || c == QChar(0x3000);
}

bool isUnspaced(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x3040 && u <= 0x30ff) || (u >= 0x3400 && u <= 0x9fff) ||
           (u >= 0xf900 && u <= 0xfaff) || (u >= 0xff00 && u <= 0xffef);
}

bool isVulgarFraction(QChar c)
{
    const ushort u = c.unicode();
    return u == 0x00bc || u == 0x00bd || u == 0x00be || (u >= 0x2150 && u <= 0x215e);
}

bool isNumberStart(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || isVulgarFraction(c);
}

// The Chinese and Japanese digits a recipe counts in; -1 for anything else.
int cjkDigit(QChar c)
{
    static constexpr char16_t digits[] = u"〇一二三四五六七八九";
    for (int i = 0; i < 10; ++i) {
        if (c == QChar(digits[i]))
            return i;
    }
    if (c == QChar(u'零'))
        return 0;
    return c == QChar(u'两') || c == QChar(u'兩') ? 2 : -1;
}

bool isCjkNumeral(QChar c)
{
    return cjkDigit(c) >= 0 || c == QChar(u'十') || c == QChar(u'半');
}

// ".5 TB": a number may start with its decimal point.
bool startsNumber(QStringView text, qsizetype at)
{
    if (isNumberStart(text[at]) || isCjkNumeral(text[at]))
        return true;
    return text[at] == QLatin1Char('.') && at + 1 < text.size() && text[at + 1].isDigit() &&
           (at == 0 || text[at - 1] == QLatin1Char(' '));
}

bool isDash(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2013) || c == QChar(0x2014);
}

// "35~50ml", "2～3 个": a tilde between two numbers joins a range.
bool isRangeMark(QChar c)
{
    return isDash(c) || c == QLatin1Char('~') || c == QChar(0xff5e) || c == QChar(0x301c);
}

// The line without its bullet ("-", "*", "+" or "•" and a blank) or the
// numbering of an ordered list is not taken off: "1. " is rare in
// ingredients and reads as an amount otherwise.
QStringView withoutBullet(QStringView line)
{
    line = line.trimmed();
    if (line.size() >= 2 &&
        (line[0] == QLatin1Char('-') || line[0] == QLatin1Char('*') ||
         line[0] == QLatin1Char('+') || line[0] == QChar(0x2022)) &&
        isBlank(line[1]))
        line = line.sliced(2).trimmed();
    // A task-list box ("- [ ] 2 eggs") is no part of the ingredient.
    if (line.size() >= 3 && line[0] == QLatin1Char('[') && line[2] == QLatin1Char(']') &&
        (line[1] == QLatin1Char(' ') || line[1] == QLatin1Char('x') || line[1] == QLatin1Char('X')))
        line = line.sliced(3).trimmed();
    return line;
}

// For every position, where the next `wanted` character lies at or after it
// (the text's size when there is none): one pass from the end.
std::vector<qsizetype> nextPositions(QStringView text, QChar wanted)
{
    std::vector<qsizetype> next(std::size_t(text.size()) + 1, text.size());
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        next[std::size_t(i)] = text[i] == wanted ? i : next[std::size_t(i) + 1];
    return next;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing;
}

// Markdown read as text: a link's or a picture's text in place of the link,
// emphasis marks and code ticks left out, escaped characters as themselves,
// and every run of blanks as one space.
QString markdownAsText(QStringView text)
{
    // Links are rare in ingredient lines; their tables are made only for them.
    const bool mayLink = text.contains(QLatin1Char('['));
    const std::vector<qsizetype> nextBracket =
        mayLink ? nextPositions(text, QLatin1Char(']')) : std::vector<qsizetype>();
    const std::vector<qsizetype> nextParen =
        mayLink ? nextPositions(text, QLatin1Char(')')) : std::vector<qsizetype>();
    // Written in place: the text only ever gets shorter.
    QString plain(text.size(), Qt::Uninitialized);
    QChar* const begin = plain.data();
    QChar* out = begin;
    const auto appendBlank = [&] {
        if (out != begin && out[-1] != QLatin1Char(' '))
            *out++ = QLatin1Char(' ');
    };
    qsizetype linkEnd = -1; // where the target of the link being copied starts
    qsizetype skipTo = -1;  // and where it ends
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == linkEnd) {
            i = skipTo; // the target is not shown
            linkEnd = skipTo = -1;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < text.size() && text[i + 1].isPunct()) {
            *out++ = text[++i];
            continue;
        }
        const bool picture =
            c == QLatin1Char('!') && i + 1 < text.size() && text[i + 1] == QLatin1Char('[');
        if (mayLink && (c == QLatin1Char('[') || picture) && linkEnd < 0) {
            const qsizetype open = picture ? i + 1 : i;
            const qsizetype close = nextBracket[std::size_t(open)];
            if (close + 1 < text.size() && text[close + 1] == QLatin1Char('(') &&
                nextParen[std::size_t(close + 1)] < text.size()) {
                linkEnd = close;
                skipTo = nextParen[std::size_t(close + 1)];
                i = open;
                continue;
            }
        }
        if (c == QLatin1Char('*') || c == QLatin1Char('`'))
            continue;
        if (c == QLatin1Char('_')) {
            // Emphasis, not a word's own underscore ("snake_case").
            const bool inWord = i > 0 && i + 1 < text.size() && isWordCharacter(text[i - 1]) &&
                                isWordCharacter(text[i + 1]);
            if (!inWord)
                continue;
        }
        if (isBlank(c) || c == QChar(0x00a0) || c == QChar(0x2009) || c == QChar(0x202f)) {
            appendBlank();
            continue;
        }
        *out++ = c;
    }
    if (out != begin && out[-1] == QLatin1Char(' '))
        --out;
    plain.truncate(out - begin);
    return plain;
}

// ---- Notes: parentheses and what follows the first comma ---------------------

struct Split
{
    QString main;
    QStringList notes; // the parentheses' contents, in order
};

bool isOpening(QChar c)
{
    return c == QLatin1Char('(') || c == QChar(0xff08);
}

bool isClosing(QChar c)
{
    return c == QLatin1Char(')') || c == QChar(0xff09);
}

QString collapsed(QString text)
{
    return text.simplified();
}

// Takes what stands in parentheses (half or full width, nested or left
// open) out of the text.
Split takeParentheses(const QString& text)
{
    Split split;
    if (!text.contains(QLatin1Char('(')) && !text.contains(QChar(0xff08))) {
        split.main = text; // blanks already collapsed
        return split;
    }
    QString note;
    int depth = 0;
    for (const QChar c : text) {
        if (isOpening(c)) {
            if (depth++ > 0)
                note.append(c);
            continue;
        }
        if (isClosing(c) && depth > 0) {
            if (--depth > 0) {
                note.append(c);
                continue;
            }
            if (!collapsed(note).isEmpty())
                split.notes.append(collapsed(note));
            note.clear();
            split.main.append(QLatin1Char(' '));
            continue;
        }
        (depth > 0 ? note : split.main).append(c);
    }
    if (!collapsed(note).isEmpty())
        split.notes.append(collapsed(note));
    split.main = collapsed(split.main);
    return split;
}

// The first comma that ends the ingredient: not one between two digits
// ("1,5 l"), and a full-width one too.
qsizetype firstSeparatingComma(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar(0xff0c) || c == QLatin1Char(';'))
            return i;
        if (c != QLatin1Char(','))
            continue;
        const bool decimal =
            i > 0 && i + 1 < text.size() && text[i - 1].isDigit() && text[i + 1].isDigit();
        if (!decimal)
            return i;
    }
    return -1;
}

// ---- Amounts and units -------------------------------------------------------

struct Measured
{
    Amount amount;
    QString unit;
    qsizetype start = 0; // of the amount as written, approximation included
    qsizetype end = 0;   // after the unit (or the amount when there is none)
};

qsizetype skipBlanks(QStringView text, qsizetype at)
{
    while (at < text.size() && text[at] == QLatin1Char(' '))
        ++at;
    return at;
}

// A run of digits, decimal marks, slashes and vulgar fractions at `at`,
// without a trailing mark: "1,5", "1/2", "1½".
qsizetype numberEnd(QStringView text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size()) {
        const QChar c = text[end];
        const bool mark = c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('/') ||
                          c == QChar(0x2044);
        if (c.isDigit() || isVulgarFraction(c))
            ++end;
        else if (mark && end + 1 < text.size() && text[end + 1].isDigit() &&
                 (end > at || c == QLatin1Char('.')))
            ++end;
        else
            break;
    }
    return end;
}

// "两", "十二", "二十五", "半": a count in Chinese or Japanese numerals.
std::optional<Fraction> cjkNumber(QStringView text, qsizetype at, qsizetype* end)
{
    qsizetype next = at;
    if (text[next] == QChar(u'半')) {
        *end = next + 1;
        return Fraction(1, 2);
    }
    int tens = 0;
    int ones = -1;
    if (cjkDigit(text[next]) >= 0)
        ones = cjkDigit(text[next++]);
    if (next < text.size() && text[next] == QChar(u'十')) {
        tens = ones < 0 ? 1 : ones;
        ones = next + 1 < text.size() ? std::max(cjkDigit(text[next + 1]), 0) : 0;
        next += ones > 0 ? 2 : 1;
    }
    if (next == at)
        return std::nullopt;
    *end = next;
    return Fraction(tens * 10 + ones);
}

std::optional<Fraction> singleNumber(QStringView text, qsizetype at, qsizetype* end)
{
    if (at >= text.size() || !startsNumber(text, at))
        return std::nullopt;
    if (isCjkNumeral(text[at]))
        return cjkNumber(text, at, end);
    *end = numberEnd(text, at);
    const Amount amount = Amount::parse(text.sliced(at, *end - at).toString());
    if (!amount.isNumber() || amount.isRange())
        return std::nullopt;
    return amount.low();
}

bool startsWithWord(QStringView text, qsizetype at, QStringView word)
{
    if (!text.sliced(at).startsWith(word, Qt::CaseInsensitive))
        return false;
    const qsizetype after = at + word.size();
    return after >= text.size() || text[after] == QLatin1Char(' ');
}

// A number, a whole number and a fraction ("1 1/2", "1 ½"), or a range of
// them ("1-2", "1 - 2", "2–3", "2 to 3"), starting at `at`.
std::optional<Amount> amountAt(QStringView text, qsizetype at, qsizetype* end)
{
    qsizetype after = at;
    std::optional<Fraction> low = singleNumber(text, at, &after);
    if (!low)
        return std::nullopt;
    qsizetype next = skipBlanks(text, after);
    if (low->isWhole() && next > after && next < text.size()) {
        qsizetype fractionEnd = next;
        const std::optional<Fraction> part = singleNumber(text, next, &fractionEnd);
        if (part && *part < Fraction(1) && !part->isZero()) {
            *low = *low + *part;
            after = fractionEnd;
            next = skipBlanks(text, after);
        }
    }
    *end = after;
    qsizetype highStart = -1;
    if (next < text.size() && isRangeMark(text[next]))
        highStart = skipBlanks(text, next + 1);
    static const QStringList joiners = wordList({"to", "bis", "à"});
    for (const QString& joiner : joiners) {
        if (next > after && highStart < 0 && startsWithWord(text, next, joiner))
            highStart = skipBlanks(text, next + joiner.size());
    }
    if (highStart >= 0) {
        qsizetype highEnd = highStart;
        const std::optional<Fraction> high = singleNumber(text, highStart, &highEnd);
        if (high && *low < *high) {
            *end = highEnd;
            return Amount::number(*low, *high);
        }
    }
    return Amount::number(*low, *low);
}

// Words that say an amount is about so much; the sign or word is kept as
// written but the number is what counts.
qsizetype afterApproximation(QStringView text, qsizetype at)
{
    // Built once: this runs for every amount of every line the scan reads.
    static const QStringList words = {
        QStringLiteral("approximately"),
        QStringLiteral("approx."),
        QStringLiteral("approx"),
        QStringLiteral("ungefähr"),
        QStringLiteral("environ"),
        QStringLiteral("circa"),
        QStringLiteral("around"),
        QStringLiteral("about"),
        QStringLiteral("etwa"),
        QStringLiteral("aprox."),
        QStringLiteral("env."),
        QStringLiteral("ca."),
        QStringLiteral("ca"),
        QStringLiteral("unos"),
        QStringLiteral("unas"),
    };
    if (at < text.size() && (text[at] == QLatin1Char('~') || text[at] == QChar(0x2248) ||
                             text[at] == QChar(0x7ea6) || text[at] == QChar(0x7d04))) {
        // "~", "≈", and the Chinese and Japanese "about" (约, 約).
        return skipBlanks(text, at + 1);
    }
    // Each word starts with a letter; most amounts start with a digit.
    if (at >= text.size() || !text[at].isLetter())
        return at;
    for (const QString& approximation : words) {
        if (!text.sliced(at).startsWith(approximation, Qt::CaseInsensitive))
            continue;
        const qsizetype after = at + approximation.size();
        if (after < text.size() && (text[after] == QLatin1Char(' ') || text[after].isDigit()))
            return skipBlanks(text, after);
    }
    return at;
}

// An amount, then a unit if one follows (glued on or after blanks), at `at`.
std::optional<Measured> measuredAt(QStringView text, qsizetype at)
{
    const qsizetype numberStart = afterApproximation(text, at);
    qsizetype end = numberStart;
    const std::optional<Amount> amount = amountAt(text, numberStart, &end);
    if (!amount)
        return std::nullopt;
    Measured measured{*amount, QString(), at, end};
    const qsizetype unitStart = skipBlanks(text, end);
    const qsizetype unitLength = KitchenUnits::unitLengthAt(text, unitStart);
    // A numeral in a name ("三文鱼", "八角") counts only before a measure word.
    if (isCjkNumeral(text[numberStart]) && unitLength == 0)
        return std::nullopt;
    if (unitLength > 0) {
        measured.unit = text.sliced(unitStart, unitLength).toString();
        measured.end = unitStart + unitLength;
        // "一个半": a half after the measure word adds to the count.
        if (measured.end < text.size() && text[measured.end] == QChar(u'半') &&
            amount->low().isWhole() && !amount->isRange()) {
            const Fraction withHalf = amount->low() + Fraction(1, 2);
            measured.amount = Amount::number(withHalf, withHalf);
            ++measured.end;
        }
    }
    return measured;
}

// "of" and its kin between a unit and the name ("6 cloves of garlic").
qsizetype afterOf(QStringView text, qsizetype at)
{
    static const QStringList joiners = wordList({"of", "de", "di", "del", "della", "d'", "d’"});
    if (at >= text.size())
        return at;
    const QChar first = text[at].toLower();
    if (first != QLatin1Char('o') && first != QLatin1Char('d'))
        return at;
    for (const QString& joiner : joiners) {
        if (joiner.endsWith(QLatin1Char('\'')) || joiner.endsWith(QChar(0x2019))) {
            if (text.sliced(at).startsWith(joiner, Qt::CaseInsensitive))
                return at + joiner.size();
            continue;
        }
        if (startsWithWord(text, at, joiner) && at + joiner.size() < text.size())
            return skipBlanks(text, at + joiner.size());
    }
    return at;
}

// Units that follow the name in English ("2 garlic cloves", "3 celery
// stalks") rather than stand before it.
bool isTrailingUnit(const QString& word)
{
    const QString key = KitchenUnits::sumKey(word);
    return key == QLatin1String("clove") || key == QLatin1String("stalk") ||
           key == QLatin1String("sprig");
}

// ---- Amounts in words ---------------------------------------------------------

// Words before a name that stand for an amount: articles, "some", "etwas".
const QStringList& amountWordsBefore()
{
    static const QStringList words = [] {
        QStringList list;
        for (const char* word :
             {"a few",      "a little",  "a bit of", "ein paar", "ein wenig", "un peu de",
              "un poco de", "un po' di", "algo de",  "de la",    "a",         "an",
              "some",       "several",   "few",      "etwas",    "einige",    "wenig",
              "ein",        "eine",      "einen",    "un",       "une",       "du",
              "des",        "quelques",  "una",      "uno",      "unos",      "unas",
              "qualche"})
            list.append(QString::fromUtf8(word));
        return list;
    }();
    return words;
}

// Words after a name that stand for an amount: "to taste", "适量".
const QStringList& amountWordsAfter()
{
    static const QStringList words = [] {
        QStringList list;
        for (const char* word : {"to taste",
                                 "as needed",
                                 "as required",
                                 "as you like",
                                 "nach Geschmack",
                                 "nach Belieben",
                                 "zum Abschmecken",
                                 "à volonté",
                                 "au goût",
                                 "selon le goût",
                                 "al gusto",
                                 "a gusto",
                                 "quanto basta",
                                 "q.b.",
                                 "qb",
                                 "适量",
                                 "少许",
                                 "少量",
                                 "些许",
                                 "適量",
                                 "少々"})
            list.append(QString::fromUtf8(word));
        return list;
    }();
    return words;
}

struct Reading
{
    IngredientReading result;
    bool found = false;
};

// The articles that stand for one.
bool isArticle(const QString& word)
{
    static const QStringList articles = wordList({"a", "an", "ein", "eine", "einen", "un", "une"});
    return articles.contains(word, Qt::CaseInsensitive);
}

// "a pinch of salt", "etwas Meerrettich": the words and a unit after them
// are the amount, as text; an article is one.
Reading wordsAmountFirst(QStringView text)
{
    Reading reading;
    for (const QString& words : amountWordsBefore()) {
        if (!startsWithWord(text, 0, words))
            continue;
        qsizetype end = words.size();
        qsizetype next = skipBlanks(text, end);
        const qsizetype unitLength = KitchenUnits::unitLengthAt(text, next);
        if (unitLength > 0 && next + unitLength < text.size()) {
            end = next + unitLength;
            next = skipBlanks(text, end);
        }
        next = afterOf(text, next);
        const QString name = text.sliced(next).trimmed().toString();
        if (name.isEmpty())
            return reading;
        reading.result.amount = Amount::text(text.first(end).toString());
        reading.result.written = text.first(end).toString();
        reading.result.name = name;
        if (isArticle(words)) {
            // "A tablespoon of honey", "eine Prise Salz": one, to scale and add.
            reading.result.amount = Amount::number(1, 1);
            if (end > words.size())
                reading.result.unit =
                    text.sliced(words.size(), end - words.size()).trimmed().toString();
        }
        reading.found = true;
        return reading;
    }
    return reading;
}

// "salt to taste", "盐 适量".
Reading wordsAmountAfter(QStringView text)
{
    Reading reading;
    for (const QString& words : amountWordsAfter()) {
        if (!text.endsWith(words, Qt::CaseInsensitive) || text.size() == words.size())
            continue;
        const qsizetype at = text.size() - words.size();
        const bool unspaced = isUnspaced(words[0]);
        if (!unspaced && text[at - 1] != QLatin1Char(' '))
            continue;
        QString name = text.first(at).trimmed().toString();
        while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xff1a)) ||
               name.endsWith(QLatin1Char('=')))
            name = name.chopped(1).trimmed();
        if (name.isEmpty())
            return reading;
        reading.result.amount = Amount::text(words);
        reading.result.written = text.sliced(at).toString();
        reading.result.name = name;
        reading.found = true;
        return reading;
    }
    return reading;
}

// ---- The readings in their order --------------------------------------------

void takeMeasured(IngredientReading& result, QStringView text, const Measured& measured)
{
    result.amount = measured.amount;
    result.unit = measured.unit;
    result.written = text.sliced(measured.start, measured.end - measured.start).toString();
}

// "2 cups flour", "500g potatoes", "6 cloves of garlic", "2 garlic cloves".
Reading amountFirst(QStringView text)
{
    Reading reading;
    const std::optional<Measured> measured = measuredAt(text, 0);
    if (!measured)
        return reading;
    IngredientReading& result = reading.result;
    takeMeasured(result, text, *measured);
    qsizetype nameStart = skipBlanks(text, measured->end);
    if (!measured->unit.isEmpty())
        nameStart = afterOf(text, nameStart);
    result.name = text.sliced(nameStart).trimmed().toString();
    if (measured->unit.isEmpty()) {
        const qsizetype lastBlank = result.name.lastIndexOf(QLatin1Char(' '));
        if (lastBlank > 0 && isTrailingUnit(result.name.sliced(lastBlank + 1))) {
            result.unit = result.name.sliced(lastBlank + 1);
            result.name = result.name.first(lastBlank).trimmed();
        }
    }
    reading.found = true;
    return reading;
}

QString nameBefore(QStringView text, qsizetype at)
{
    QString name = text.first(at).trimmed().toString();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xff1a)) ||
           name.endsWith(QLatin1Char('=')) || name.endsWith(QChar(0xff1d)))
        name = name.chopped(1).trimmed();
    return name;
}

// "白蘑菇 200 克", "盐: 2 g", "香醋 = 5g", "Eggs 3", and the Japanese order of
// unit then number ("醤油 大さじ2"): the name first, the amount ending the text.
Reading nameFirst(QStringView text)
{
    Reading reading;
    for (qsizetype at = 1; at < text.size(); ++at) {
        const QChar c = text[at];
        const QChar before = text[at - 1];
        if (startsNumber(text, at) && !isNumberStart(before) && !isCjkNumeral(before) &&
            before != QLatin1Char('.') && before != QLatin1Char(',') &&
            before != QLatin1Char('/')) {
            // The first amount with a unit wins; what follows it is a note
            // ("大葱 2 根 1 根切段").
            const std::optional<Measured> measured = measuredAt(text, at);
            const bool atEnd = measured && skipBlanks(text, measured->end) == text.size();
            if (!measured || (!atEnd && measured->unit.isEmpty()))
                continue;
            const QString name = nameBefore(text, at);
            if (name.isEmpty())
                continue;
            takeMeasured(reading.result, text, *measured);
            reading.result.name = name;
            reading.result.note = text.sliced(measured->end).trimmed().toString();
            reading.found = true;
            return reading;
        }
        if (isUnspaced(c)) {
            const qsizetype unitLength = KitchenUnits::unitLengthAt(text, at);
            if (unitLength == 0)
                continue;
            const qsizetype numberStart = skipBlanks(text, at + unitLength);
            qsizetype end = numberStart;
            const std::optional<Amount> amount = amountAt(text, numberStart, &end);
            if (!amount || skipBlanks(text, end) != text.size())
                continue;
            const QString name = nameBefore(text, at);
            if (name.isEmpty())
                continue;
            reading.result.amount = *amount;
            reading.result.unit = text.sliced(at, unitLength).toString();
            reading.result.written = text.sliced(at, end - at).toString();
            reading.result.name = name;
            reading.found = true;
            return reading;
        }
    }
    return reading;
}

// The whole text is an amount and perhaps a unit: "400g", "(100 g)".
std::optional<Measured> onlyMeasure(QStringView text)
{
    std::optional<Measured> measured = measuredAt(text, 0);
    if (!measured || skipBlanks(text, measured->end) != text.size())
        return std::nullopt;
    return measured;
}

Reading readMain(QStringView text)
{
    for (Reading (*reader)(QStringView) :
         {amountFirst, nameFirst, wordsAmountAfter, wordsAmountFirst}) {
        Reading reading = reader(text);
        if (reading.found)
            return reading;
    }
    Reading plain;
    plain.result.name = text.toString();
    return plain;
}

// "肥肉末 20g #不喜可不加": what follows a "#" after a blank is a comment
// ("#10 can" is a size, not one).
qsizetype commentStart(QStringView text)
{
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('#') && text[i - 1] == QLatin1Char(' ') &&
            (i + 1 == text.size() || !text[i + 1].isDigit()))
            return i;
    }
    return -1;
}

// A comma, but not the decimal one of "1,2 kg".
bool isNoteSeparator(QStringView text, qsizetype at)
{
    const QChar c = text[at];
    if (c == QLatin1Char(','))
        return !(at > 0 && at + 1 < text.size() && text[at - 1].isDigit() &&
                 text[at + 1].isDigit());
    return c == QChar(0xff0c) || c == QChar(0x3001) || c == QLatin1Char(';');
}

// The first part of a note that is an amount alone: "半只" of "半只,1 kg,去皮".
void takeAmountFromNotes(IngredientReading& result, QStringList& notes)
{
    for (QString& note : notes) {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= note.size(); ++i) {
            if (i < note.size() && !isNoteSeparator(note, i))
                continue;
            const QString part = note.sliced(start, i - start).trimmed();
            if (const std::optional<Measured> measured = onlyMeasure(part)) {
                takeMeasured(result, part, *measured);
                note = (note.first(start) + note.sliced(std::min(i + 1, note.size()))).trimmed();
                return;
            }
            start = i + 1;
        }
    }
}

IngredientReading readCleanLine(const QString& text)
{
    Split split = takeParentheses(text);
    QString head = split.main;
    QString tail;
    const qsizetype comment = commentStart(head);
    if (comment >= 0) {
        split.notes.append(head.sliced(comment + 1).trimmed());
        head = head.first(comment).trimmed();
    }
    const qsizetype comma = firstSeparatingComma(head);
    if (comma >= 0) {
        tail = head.sliced(comma + 1).trimmed();
        head = head.first(comma).trimmed();
    }
    IngredientReading result = readMain(head).result;
    QStringList notes;
    if (!result.note.isEmpty())
        notes.append(result.note);
    if (!result.amount.isNumber() && result.amount.kind() == Amount::Kind::None) {
        // "Chickpeas, 400g (drained)": the amount after the name's comma, or
        // in parentheses when nothing before gives one.
        if (const std::optional<Measured> measured = measuredAt(tail, 0)) {
            takeMeasured(result, tail, *measured);
            tail = tail.sliced(measured->end).trimmed();
            while (tail.startsWith(QLatin1Char(',')))
                tail = tail.sliced(1).trimmed();
        } else {
            takeAmountFromNotes(result, split.notes);
        }
    }
    if (!tail.isEmpty())
        notes.append(tail);
    for (const QString& note : std::as_const(split.notes)) {
        if (!note.isEmpty())
            notes.append(note);
    }
    result.note = notes.join(QStringLiteral(", "));
    result.name = result.name.trimmed();
    return result;
}

constexpr QLatin1String joiningAnd(" and ");

// One pass, as every line of a cookbook is read through here.
bool mayJoin(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar(0xff0c) || c == QChar(0x3001))
            return true;
        if (c == QLatin1Char(' ') && i + 4 < text.size() &&
            text.sliced(i).startsWith(joiningAnd, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// "青椒 2 条，红椒 1 条", "2 cups flour and 1 cup sugar": the parts of a line
// joined by "，", "、" or " and " outside parentheses.
QStringList joinedParts(const QString& text)
{
    QStringList parts;
    qsizetype start = 0;
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isOpening(c))
            ++depth;
        else if (isClosing(c) && depth > 0)
            --depth;
        qsizetype joiner = 0;
        if (depth == 0 && (c == QChar(0xff0c) || c == QChar(0x3001)))
            joiner = 1;
        else if (depth == 0 && c == QLatin1Char(' ') &&
                 QStringView(text).sliced(i).startsWith(joiningAnd, Qt::CaseInsensitive))
            joiner = joiningAnd.size();
        if (joiner == 0)
            continue;
        parts.append(text.sliced(start, i - start).trimmed());
        start = i + joiner;
        i = start - 1;
    }
    parts.append(text.sliced(start).trimmed());
    return parts;
}

} // namespace

IngredientReading readIngredientLine(const QString& line)
{
    const QString text = markdownAsText(withoutBullet(line));
    if (!mayJoin(text))
        return readCleanLine(text);
    return readIngredientsOnLine(line).constFirst();
}

QList<IngredientReading> readIngredientsOnLine(const QString& line)
{
    const QString text = markdownAsText(withoutBullet(line));
    if (!mayJoin(text))
        return {readCleanLine(text)};
    const QStringList parts = joinedParts(text);
    QList<IngredientReading> readings;
    for (const QString& part : parts) {
        IngredientReading reading = readCleanLine(part);
        // Only parts that each give their own amount are ingredients of their own.
        if (parts.size() > 1 && (!reading.amount.isNumber() || reading.name.isEmpty()))
            return {readCleanLine(text)};
        readings.append(std::move(reading));
    }
    return readings;
}
