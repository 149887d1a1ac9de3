#include "quantity/amount.h"

#include <QStringView>

#include <optional>

namespace {

// Longer numbers are no kitchen amounts; they stay text and never overflow.
constexpr qsizetype maxDigits = 9;
constexpr qsizetype maxDecimals = 6;

struct VulgarFraction
{
    char16_t glyph;
    qint64 numerator;
    qint64 denominator;
};
constexpr VulgarFraction vulgarFractions[] = {
    {u'½', 1, 2}, {u'⅓', 1, 3}, {u'⅔', 2, 3}, {u'¼', 1, 4}, {u'¾', 3, 4}, {u'⅕', 1, 5},
    {u'⅖', 2, 5}, {u'⅗', 3, 5}, {u'⅘', 4, 5}, {u'⅙', 1, 6}, {u'⅚', 5, 6}, {u'⅐', 1, 7},
    {u'⅛', 1, 8}, {u'⅜', 3, 8}, {u'⅝', 5, 8}, {u'⅞', 7, 8}, {u'⅑', 1, 9}, {u'⅒', 1, 10},
};

bool isDigits(QStringView text, qsizetype limit = maxDigits)
{
    if (text.isEmpty() || text.size() > limit)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

qint64 digitsValue(QStringView digits)
{
    qint64 value = 0;
    for (QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

std::optional<Fraction> vulgarFraction(QChar c)
{
    for (const VulgarFraction& known : vulgarFractions) {
        if (c.unicode() == known.glyph)
            return Fraction(known.numerator, known.denominator);
    }
    return std::nullopt;
}

// "2", "1.5", "1,5", "1/2", "1⁄2", "½", "1½".
std::optional<Fraction> parseNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    if (const auto glyph = vulgarFraction(text.back())) {
        const QStringView whole = text.chopped(1);
        if (whole.isEmpty())
            return glyph;
        if (!isDigits(whole))
            return std::nullopt;
        return Fraction(digitsValue(whole)) + *glyph;
    }
    for (const char16_t slash : {u'/', u'⁄'}) {
        const qsizetype at = text.indexOf(QChar(slash));
        if (at < 0)
            continue;
        const QStringView top = text.first(at);
        const QStringView bottom = text.sliced(at + 1);
        if (!isDigits(top) || !isDigits(bottom) || digitsValue(bottom) == 0)
            return std::nullopt;
        return Fraction(digitsValue(top), digitsValue(bottom));
    }
    for (const char16_t point : {u'.', u','}) {
        const qsizetype at = text.indexOf(QChar(point));
        if (at < 0)
            continue;
        const QStringView whole = text.first(at);
        const QStringView decimals = text.sliced(at + 1);
        // ".5" has no whole part written.
        const bool noWhole = whole.isEmpty() && point == u'.';
        if (!(noWhole || isDigits(whole)) || !isDigits(decimals, maxDecimals))
            return std::nullopt;
        qint64 scale = 1;
        for (qsizetype i = 0; i < decimals.size(); ++i)
            scale *= 10;
        return Fraction(digitsValue(whole)) + Fraction(digitsValue(decimals), scale);
    }
    if (!isDigits(text))
        return std::nullopt;
    return Fraction(digitsValue(text));
}

} // namespace

Amount Amount::number(const Fraction& low, const Fraction& high)
{
    Amount amount;
    amount.m_kind = Kind::Number;
    amount.m_low = low;
    amount.m_high = high;
    return amount;
}

Amount Amount::text(const QString& text)
{
    Amount amount;
    amount.m_kind = text.trimmed().isEmpty() ? Kind::None : Kind::Text;
    amount.m_text = text.trimmed();
    return amount;
}

Amount Amount::parse(const QString& written)
{
    const QString trimmed = written.trimmed();
    if (const auto single = parseNumber(trimmed))
        return number(*single, *single);
    // A range: two numbers joined by a hyphen or an en dash, nothing between.
    for (const char16_t dash : {u'-', u'–'}) {
        const qsizetype at = trimmed.indexOf(QChar(dash));
        if (at <= 0)
            continue;
        const auto low = parseNumber(QStringView(trimmed).first(at));
        const auto high = parseNumber(QStringView(trimmed).sliced(at + 1));
        if (low && high)
            return number(*low, *high);
    }
    return text(trimmed);
}

Amount Amount::scaled(const Fraction& factor) const
{
    if (!isNumber())
        return *this;
    return number(m_low * factor, m_high * factor);
}

Amount Amount::plus(const Amount& other) const
{
    if (!isNumber() || !other.isNumber())
        return *this;
    return number(m_low + other.m_low, m_high + other.m_high);
}

QString Amount::toDisplayString(Notation notation, QChar decimalMark) const
{
    switch (m_kind) {
    case Kind::None:
        return QString();
    case Kind::Text:
        return m_text;
    case Kind::Number:
        break;
    }
    const auto shown = [&](const Fraction& value) {
        return notation == Notation::Decimals ? value.toDecimalString(decimalMark)
                                              : value.toDisplayString(decimalMark);
    };
    if (!isRange())
        return shown(m_low);
    return shown(m_low) + QChar(u'–') + shown(m_high);
}
