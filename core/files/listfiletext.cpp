#include "files/listfiletext.h"

#include "quantity/amount.h"

#include <QRegularExpression>

QStringList ListFileText::lines(const QString& text, bool* crlf)
{
    *crlf = text.contains(QStringLiteral("\r\n"));
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = body.split(QLatin1Char('\n'));
    // The line end of the last line is no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void ListFileText::trimBlankLines(QStringList* lines)
{
    while (!lines->isEmpty() && lines->first().trimmed().isEmpty())
        lines->removeFirst();
    while (!lines->isEmpty() && lines->last().trimmed().isEmpty())
        lines->removeLast();
}

int ListFileText::halvesOf(const QString& number)
{
    const Amount amount = Amount::parse(number);
    if (!amount.isNumber() || amount.isRange())
        return 0;
    const Fraction halves = amount.low() * Fraction(2);
    if (halves.isWhole() && halves.numerator() > 0 && halves.numerator() <= 1000)
        return int(halves.numerator());
    return 0;
}

QString ListFileText::factorText(int halves)
{
    return QStringLiteral("×") + Fraction(halves, 2).toDisplayString();
}
