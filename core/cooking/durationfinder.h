#pragma once

#include "cooking/stepduration.h"

#include <QList>
#include <QStringView>

// Finds the spans of time in the text of a step, in the languages cooks write
// in: numbers and ranges with a unit of seconds, minutes or hours ("10-15 min",
// "10 bis 15 Minuten", "1 h 30", "1小时20分钟", "30分", "2-3 more minutes"), the
// words for one and for a half ("an hour", "eine halbe Stunde", "une
// demi-heure", "半小时"), and numbers in words up to sixty ("five minutes",
// "fünfundzwanzig Minuten", "vingt-cinq minutes", "veinte minutos").
// Temperatures, quantities, sizes, times of day, vague spans ("a few minutes")
// and anything over two days are left alone.
class DurationFinder
{
public:
    static constexpr qint64 maxSeconds = 48 * 3600;

    // Every span in `text`, in order, none overlapping.
    static QList<StepDuration> find(QStringView text);
};
