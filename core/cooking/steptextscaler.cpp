#include "cooking/steptextscaler.h"

#include "quantity/amount.h"
#include "quantity/kitchenunits.h"
#include "text/textfolding.h"

#include <QRegularExpression>

namespace {

// Measures of length: a tin's size never grows with the servings.
bool isSizeUnit(QStringView unit)
{
    static const QStringList sizes{QStringLiteral("cm"),   QStringLiteral("mm"),
                                   QStringLiteral("m"),    QStringLiteral("in"),
                                   QStringLiteral("inch"), QStringLiteral("inches"),
                                   QStringLiteral("zoll"), QStringLiteral("厘米"),
                                   QStringLiteral("公分"), QStringLiteral("センチ")};
    return sizes.contains(unit.toString().toCaseFolded());
}

const QRegularExpression& numberPattern()
{
    // A number: "2", "1.5", "1,5", "1/2", "½", "1½", "1 1/2"; optionally a
    // range of two joined by a hyphen or an en dash. Not inside a word or
    // another number.
    static const QRegularExpression pattern(QStringLiteral(
        "(?<![\\w.,/½¼¾⅓⅔⅛⅜⅝⅞])"
        "((?:\\d+ \\d+/\\d+|\\d+/\\d+|\\d+[.,]\\d+|\\d*[½¼¾⅓⅔⅛⅜⅝⅞]|\\d+)"
        "(?: ?[-–] ?(?:\\d+ \\d+/\\d+|\\d+/\\d+|\\d+[.,]\\d+|\\d*[½¼¾⅓⅔⅛⅜⅝⅞]|\\d+))?)"
        "(?![\\d½¼¾⅓⅔⅛⅜⅝⅞]|[.,/]\\d)"));
    return pattern;
}

Amount numberOf(const QString& written)
{
    QString compact = written;
    compact.remove(QLatin1Char(' '));
    // "1 1/2" is a whole and a fraction; a range may hold such ends too.
    const QStringList ends = written.split(QRegularExpression(QStringLiteral(" ?[-–] ?")));
    if (ends.size() <= 2) {
        QList<Fraction> values;
        for (const QString& end : ends) {
            const QStringList parts = end.split(QLatin1Char(' '));
            Amount sum = Amount::parse(parts.first());
            if (parts.size() == 2)
                sum = sum.plus(Amount::parse(parts.last()));
            if (!sum.isNumber())
                return Amount();
            values.append(sum.low());
        }
        return Amount::number(values.first(), values.last());
    }
    return Amount::parse(compact);
}

bool insideDuration(qsizetype position, const QList<StepDuration>& durations)
{
    for (const StepDuration& duration : durations) {
        if (position >= duration.position && position < duration.position + duration.length)
            return true;
    }
    return false;
}

} // namespace

StepTextScaler::StepTextScaler(const QStringList& ingredientNames)
    : m_names(ingredientNames)
    , m_nameCount(int(ingredientNames.size()))
{}

QString StepTextScaler::scaled(const QString& text, const Fraction& factor,
                               const QList<StepDuration>& durations, QChar decimalMark) const
{
    if (factor == Fraction(1))
        return text;
    QString result;
    qsizetype copied = 0;
    auto matches = numberPattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const qsizetype start = match.capturedStart(1);
        const qsizetype end = match.capturedEnd(1);
        if (start < copied || insideDuration(start, durations))
            continue;
        qsizetype followerStart = end;
        if (followerStart < text.size() && text[followerStart] == QLatin1Char(' '))
            ++followerStart;
        QString unit;
        const qsizetype followerLength = followerAt(text, followerStart, &unit);
        if (followerLength == 0)
            continue;
        const Amount amount = numberOf(match.captured(1));
        if (!amount.isNumber())
            continue;
        const Amount bigger = amount.scaled(factor);
        result += QStringView(text).sliced(copied, start - copied);
        if (unit.isEmpty()) {
            result += bigger.toDisplayString(Amount::Notation::Fractions, decimalMark);
            copied = end;
        } else {
            QString written = KitchenUnits::formatAmount(bigger, unit, decimalMark);
            // Chinese and Japanese write the measure word right after the number.
            const qsizetype blank = written.lastIndexOf(QLatin1Char(' '));
            if (followerStart == end && blank > 0 && blank + 1 < written.size() &&
                TextFolding::isUnspaced(written[blank + 1].unicode()))
                written.remove(blank, 1);
            result += written;
            copied = followerStart + followerLength;
        }
    }
    result += QStringView(text).sliced(copied);
    return result;
}

qsizetype StepTextScaler::followerAt(const QString& text, qsizetype position, QString* unit) const
{
    if (position >= text.size())
        return 0;
    if (const qsizetype length = KitchenUnits::unitLengthAt(text, position); length > 0) {
        const QString written = text.sliced(position, length);
        if (isSizeUnit(written))
            return 0;
        *unit = written;
        return length;
    }
    // A name: fold only what a name can cover.
    const QString folded = StepIngredientMatcher::folded(text.sliced(position).left(128));
    for (int row = 0; row < m_nameCount; ++row) {
        if (const qsizetype length = m_names.nameLengthAt(row, folded, 0); length > 0)
            return length; // the name stays as written; only the number changes
    }
    return 0;
}
