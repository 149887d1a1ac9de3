#pragma once

#include <QString>
#include <QtGlobal>

// An exact non-negative rational number for amounts of ingredients: a third
// times three is one, not 0.99. Kept in lowest terms with a positive
// denominator.
class Fraction
{
public:
    Fraction() = default;
    // A zero denominator gives zero: bad input never divides by zero.
    Fraction(qint64 numerator, qint64 denominator = 1);

    qint64 numerator() const { return m_numerator; }
    qint64 denominator() const { return m_denominator; }
    bool isWhole() const { return m_denominator == 1; }
    bool isZero() const { return m_numerator == 0; }

    Fraction operator+(const Fraction& other) const;
    // What is left when `other` is taken away; never below zero.
    Fraction minusOrZero(const Fraction& other) const;
    Fraction operator*(const Fraction& other) const;
    Fraction operator/(const Fraction& other) const;
    bool operator==(const Fraction& other) const;
    bool operator!=(const Fraction& other) const { return !(*this == other); }
    bool operator<(const Fraction& other) const;

    // As a cook reads it: "3", "1¼", "⅔", or a decimal with at most two
    // places that never rounds a non-zero value to zero ("0.06", "2.4").
    QString toDisplayString(QChar decimalMark = QLatin1Char('.')) const;
    // Always as a decimal of that kind: "355.5", "1,25" with a comma.
    QString toDecimalString(QChar decimalMark = QLatin1Char('.')) const;

private:
    static Fraction fromWide(__int128 numerator, __int128 denominator);

    qint64 m_numerator = 0;
    qint64 m_denominator = 1;
};
