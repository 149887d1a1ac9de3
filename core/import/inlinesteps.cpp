#include "import/inlinesteps.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& markPattern()
{
    // A number after the start, a blank or the end of a sentence (not after
    // "0." of "0.5"), with a step word before it or its mark after it.
    static const QRegularExpression pattern(
        QStringLiteral(
            "(?:^|(?<=[\\s。．.!?！？;；:：)）]))(?<!\\d[.,])"
            "(?:(?:step|schritt|étape|etape|paso|passo|stap|krok|steg|trin|vaihe)\\s*"
            "(\\d{1,2})(?:\\s*[.):：-])?|第?(\\d{1,2})\\s*(?:[.)．、）:：](?!\\d)|步))\\s*"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

} // namespace

QList<InlineSteps::Mark> InlineSteps::marks(const QString& text)
{
    QList<Mark> out;
    QRegularExpressionMatchIterator it = markPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString number = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        out.append({match.capturedStart(), match.capturedEnd(), number.toInt()});
    }
    return out;
}

QStringList InlineSteps::split(const QString& text)
{
    const QString trimmed = text.trimmed();
    // Cheap test first: most steps hold no "1" and no "2" at all.
    if (!trimmed.contains(QLatin1Char('1')) || !trimmed.contains(QLatin1Char('2')))
        return {text};
    const QList<Mark> all = marks(trimmed);
    if (all.size() < 2 || all.first().start != 0 || all.first().number != 1)
        return {text};
    QList<Mark> run = {all.first()};
    for (const Mark& mark : all) {
        if (mark.number == run.last().number + 1 && mark.start >= run.last().end)
            run.append(mark);
    }
    if (run.size() < 2)
        return {text};
    QStringList out;
    for (qsizetype i = 0; i < run.size(); ++i) {
        const qsizetype end = i + 1 < run.size() ? run.at(i + 1).start : trimmed.size();
        const QString step = trimmed.mid(run.at(i).end, end - run.at(i).end).trimmed();
        if (!step.isEmpty())
            out.append(step);
    }
    return out.size() >= 2 ? out : QStringList{text};
}

QString InlineSteps::withoutNumber(const QString& text, int expected)
{
    const QRegularExpressionMatch match = markPattern().match(text);
    if (!match.hasMatch() || match.capturedStart() != 0)
        return text;
    const QString number = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
    if (number.toInt() != expected || match.capturedEnd() >= text.size())
        return text;
    return text.mid(match.capturedEnd());
}
