#pragma once

#include <QString>

// Times as recipes give them: ISO 8601 durations ("PT1H30M", "P0DT0H25M"),
// written words ("1 hour 30 minutes", "25 Min.", "1 Std. 10 Min."), "1:30",
// or a bare number of minutes.
class DurationText
{
public:
    // Seconds, or 0 when the text holds no time.
    static int seconds(const QString& text);
    // "1:05" for 3900 seconds; empty for 0.
    static QString hoursAndMinutes(int seconds);

private:
    static int isoSeconds(const QString& text);
    static int wordSeconds(const QString& text);
};
