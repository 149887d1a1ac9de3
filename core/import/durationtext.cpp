#include "import/durationtext.h"

#include <QRegularExpression>

namespace {

constexpr int maxSeconds = 366 * 24 * 3600; // beyond a year is no cooking time

int bounded(double seconds)
{
    if (!(seconds > 0))
        return 0;
    return seconds > maxSeconds ? maxSeconds : int(seconds + 0.5);
}

// Seconds per unit word, matched by its start in the languages recipes
// arrive in.
double unitSeconds(const QString& word)
{
    const QString w = word.toLower();
    if (w.startsWith(QLatin1Char('d')) || w.startsWith(QLatin1String("tag")) ||
        w.startsWith(QLatin1String("jour")) || w.startsWith(QLatin1String("gior")))
        return 86400;
    if (w.startsWith(QLatin1Char('h')) || w.startsWith(QLatin1String("std")) ||
        w.startsWith(QLatin1String("stunde")) || w.startsWith(QLatin1String("ora")) ||
        w.startsWith(QLatin1String("ore")))
        return 3600;
    if (w.startsWith(QLatin1Char('m')))
        return 60;
    if (w.startsWith(QLatin1Char('s')))
        return 1;
    return 0;
}

} // namespace

int DurationText::isoSeconds(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^P(?:(\\d+(?:[.,]\\d+)?)W)?(?:(\\d+(?:[.,]\\d+)?)D)?"
                       "(?:T(?:(\\d+(?:[.,]\\d+)?)H)?(?:(\\d+(?:[.,]\\d+)?)M)?"
                       "(?:(\\d+(?:[.,]\\d+)?)S)?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return -1;
    const double factors[] = {7 * 86400, 86400, 3600, 60, 1};
    double total = 0;
    for (int group = 1; group <= 5; ++group) {
        QString number = match.captured(group);
        number.replace(QLatin1Char(','), QLatin1Char('.'));
        if (!number.isEmpty())
            total += number.toDouble() * factors[group - 1];
    }
    return bounded(total);
}

int DurationText::wordSeconds(const QString& text)
{
    static const QRegularExpression clock(QStringLiteral("^(\\d{1,3}):(\\d{2})$"));
    const QRegularExpressionMatch clockMatch = clock.match(text);
    if (clockMatch.hasMatch())
        return bounded(clockMatch.captured(1).toInt() * 3600.0 +
                       clockMatch.captured(2).toInt() * 60.0);
    bool isNumber = false;
    const double minutes =
        QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&isNumber);
    if (isNumber)
        return bounded(minutes * 60);
    static const QRegularExpression part(QStringLiteral("(\\d+(?:[.,]\\d+)?)\\s*([^\\d\\s.,]+)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    double total = 0;
    auto parts = part.globalMatch(text);
    while (parts.hasNext()) {
        const QRegularExpressionMatch match = parts.next();
        QString number = match.captured(1);
        number.replace(QLatin1Char(','), QLatin1Char('.'));
        total += number.toDouble() * unitSeconds(match.captured(2));
    }
    return bounded(total);
}

int DurationText::seconds(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 200)
        return 0;
    const int iso = isoSeconds(trimmed);
    if (iso >= 0)
        return iso;
    return wordSeconds(trimmed);
}

QString DurationText::hoursAndMinutes(int seconds)
{
    if (seconds <= 0)
        return {};
    const int minutes = (seconds + 30) / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
