#pragma once

#include "quantity/amount.h"

#include <QString>
#include <QStringView>

// The words cooks use as units of measure, in the languages of the cookbooks
// we read: metric and US measures, kitchen measures (cloves, cans, pinches),
// German, French, Spanish and Italian ones, and Chinese and Japanese measure
// words. Words are compared without regard to case; a trailing full stop of
// an abbreviation ("Msp.", "Pck.") belongs to the unit.
class KitchenUnits
{
public:
    // Whether `word` is a unit of measure ("g", "EL", "cloves", "克").
    static bool isUnit(QStringView word);

    // The length of the unit that starts exactly at `from` in `text`: a whole
    // word of a spaced script (with its abbreviation's full stop, or a phrase
    // such as "c. à s."), or a Chinese or Japanese measure word, which needs no
    // blank after it ("瓣大蒜"). 0 when no unit starts there.
    static qsizetype unitLengthAt(QStringView text, qsizetype from);

    // The key under which amounts in `unit` add up: one name for the spellings
    // of one measure (g, gram, Gramm, 克 give "g"; tbsp, tablespoon, EL give
    // "tbsp"), the folded unit itself for any other word.
    static QString sumKey(const QString& unit);

    // How cooks write amounts of `unit`: metric ones in decimals ("355.5 ml",
    // "3.5 cm"), kitchen measures and counts in fractions ("1½ cups").
    static Amount::Notation notationFor(const QString& unit);

    // An amount with its unit as the shopping list writes it: "400 g", "1½
    // cups", "6" without a unit; whole litres and kilograms of a metric unit
    // ("1000 ml") in the larger unit ("1.5 l"); decimals with `decimalMark`.
    static QString formatAmount(const Amount& amount, const QString& unit,
                                QChar decimalMark = QLatin1Char('.'));
};
