#pragma once

#include <QtGlobal>

// A span of time written in a step: where it stands in the step's text and
// how long it is. Both ends are equal unless the text gives a range
// ("25-30 Min.").
struct StepDuration
{
    qsizetype position = 0;
    qsizetype length = 0;
    qint64 lowSeconds = 0;
    qint64 highSeconds = 0;

    bool isRange() const { return lowSeconds != highSeconds; }

    friend bool operator==(const StepDuration& a, const StepDuration& b)
    {
        return a.position == b.position && a.length == b.length && a.lowSeconds == b.lowSeconds &&
               a.highSeconds == b.highSeconds;
    }
    friend bool operator!=(const StepDuration& a, const StepDuration& b) { return !(a == b); }
};
