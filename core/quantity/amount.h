#pragma once

#include "quantity/fraction.h"

#include <QString>

// The amount of one ingredient line: nothing, a number or a range of numbers
// ("2", "1½", "1/2", "1,5", "1-2"), or text that is no number ("a", "some").
// Numbers are exact; text is never scaled or added.
class Amount
{
public:
    enum class Kind { None, Number, Text };
    // How numbers are shown: the fractions a cook knows by sight where they
    // fit ("1½ cups"), or decimals ("355.5 ml").
    enum class Notation { Fractions, Decimals };

    Amount() = default;
    static Amount number(const Fraction& low, const Fraction& high);
    static Amount text(const QString& text);
    // Reads one written amount; whatever is not understood as a number or
    // range becomes text, and blanks alone become no amount.
    static Amount parse(const QString& written);

    Kind kind() const { return m_kind; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isText() const { return m_kind == Kind::Text; }
    bool isRange() const { return isNumber() && m_low != m_high; }
    Fraction low() const { return m_low; }
    Fraction high() const { return m_high; }
    QString text() const { return m_text; }

    // Numbers scale and add end by end; anything else stays as it is.
    Amount scaled(const Fraction& factor) const;
    Amount plus(const Amount& other) const;

    // "1¼", "1–2", or the text as written; decimals with `decimalMark`.
    QString toDisplayString(Notation notation = Notation::Fractions,
                            QChar decimalMark = QLatin1Char('.')) const;

private:
    Kind m_kind = Kind::None;
    Fraction m_low;
    Fraction m_high;
    QString m_text;
};
