#include "quantity/decimalmark.h"

QChar DecimalMark::in(QStringView written)
{
    for (qsizetype i = 1; i + 1 < written.size(); ++i) {
        if (written[i] == QLatin1Char(',') && written[i - 1].isDigit() && written[i + 1].isDigit())
            return QLatin1Char(',');
        if (written[i] == QLatin1Char('.') && written[i + 1].isDigit())
            return QLatin1Char('.');
    }
    return QChar();
}

QChar DecimalMark::of(const QStringList& written)
{
    for (const QString& text : written) {
        if (const QChar mark = in(text); !mark.isNull())
            return mark;
    }
    return QLatin1Char('.');
}
