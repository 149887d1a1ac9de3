#include "quantity/fraction.h"

#include <QLatin1Char>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Wide = __int128;

Wide greatestCommonDivisor(Wide a, Wide b)
{
    if (a < 0)
        a = -a;
    if (b < 0)
        b = -b;
    while (b != 0) {
        const Wide rest = a % b;
        a = b;
        b = rest;
    }
    return a == 0 ? 1 : a;
}

bool fitsIn64(Wide value)
{
    return value <= std::numeric_limits<qint64>::max() &&
           value >= std::numeric_limits<qint64>::min();
}

// The remainders a cook knows by sight, in eighths, thirds and their glyphs.
struct Glyph
{
    qint64 numerator;
    qint64 denominator;
    const char16_t* text;
};
constexpr Glyph glyphs[] = {
    {1, 2, u"½"}, {1, 3, u"⅓"}, {2, 3, u"⅔"}, {1, 4, u"¼"}, {3, 4, u"¾"},
    {1, 8, u"⅛"}, {3, 8, u"⅜"}, {5, 8, u"⅝"}, {7, 8, u"⅞"},
};

QString decimalText(long double value, QChar decimalMark)
{
    // Two places, unless that shows nothing: then as many as it takes to
    // show the first significant digit.
    int places = 2;
    while (places < 12 && std::round(value * std::pow(10.0L, places)) == 0.0L)
        ++places;
    QString text = QString::number(double(value), 'f', places);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text.replace(QLatin1Char('.'), decimalMark);
}

} // namespace

Fraction::Fraction(qint64 numerator, qint64 denominator)
{
    *this = fromWide(numerator, denominator);
}

Fraction Fraction::fromWide(Wide numerator, Wide denominator)
{
    Fraction result;
    if (denominator == 0 || numerator == 0)
        return result;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Wide divisor = greatestCommonDivisor(numerator, denominator);
    numerator /= divisor;
    denominator /= divisor;
    if (!fitsIn64(numerator) || !fitsIn64(denominator)) {
        // Far beyond any kitchen: keep the value to a millionth, clamped.
        constexpr long double limit = 9e12L;
        long double value =
            static_cast<long double>(numerator) / static_cast<long double>(denominator);
        value = std::max(-limit, std::min(limit, value));
        return fromWide(Wide(std::llround(value * 1e6L)), Wide(1000000));
    }
    result.m_numerator = qint64(numerator);
    result.m_denominator = qint64(denominator);
    return result;
}

Fraction Fraction::operator+(const Fraction& other) const
{
    return fromWide(Wide(m_numerator) * other.m_denominator +
                        Wide(other.m_numerator) * m_denominator,
                    Wide(m_denominator) * other.m_denominator);
}

Fraction Fraction::minusOrZero(const Fraction& other) const
{
    if (!(other < *this))
        return Fraction();
    return fromWide(Wide(m_numerator) * other.m_denominator -
                        Wide(other.m_numerator) * m_denominator,
                    Wide(m_denominator) * other.m_denominator);
}

Fraction Fraction::operator*(const Fraction& other) const
{
    return fromWide(Wide(m_numerator) * other.m_numerator,
                    Wide(m_denominator) * other.m_denominator);
}

Fraction Fraction::operator/(const Fraction& other) const
{
    return fromWide(Wide(m_numerator) * other.m_denominator,
                    Wide(m_denominator) * other.m_numerator);
}

bool Fraction::operator==(const Fraction& other) const
{
    return m_numerator == other.m_numerator && m_denominator == other.m_denominator;
}

bool Fraction::operator<(const Fraction& other) const
{
    return Wide(m_numerator) * other.m_denominator < Wide(other.m_numerator) * m_denominator;
}

QString Fraction::toDecimalString(QChar decimalMark) const
{
    if (isWhole())
        return QString::number(m_numerator);
    return decimalText(static_cast<long double>(m_numerator) /
                           static_cast<long double>(m_denominator),
                       decimalMark);
}

QString Fraction::toDisplayString(QChar decimalMark) const
{
    const qint64 whole = m_numerator / m_denominator;
    if (isWhole())
        return QString::number(whole);
    const Fraction rest(m_numerator % m_denominator, m_denominator);
    for (const Glyph& glyph : glyphs) {
        if (rest.m_numerator == glyph.numerator && rest.m_denominator == glyph.denominator) {
            const QString text = QString::fromUtf16(glyph.text);
            return whole == 0 ? text : QString::number(whole) + text;
        }
    }
    return toDecimalString(decimalMark);
}
