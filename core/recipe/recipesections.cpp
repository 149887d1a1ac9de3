#include "recipe/recipesections.h"

#include <QString>

namespace {

// One code unit of either kind of line, for comparing with ASCII.
char16_t unitOf(char c)
{
    return char16_t(static_cast<unsigned char>(c));
}

char16_t unitOf(QChar c)
{
    return c.unicode();
}

template<typename View>
bool startsWith(View line, const char* prefix, qsizetype from = 0)
{
    qsizetype at = from;
    for (const char* p = prefix + from; *p; ++p, ++at) {
        if (at >= line.size() || unitOf(line[at]) != char16_t(*p))
            return false;
    }
    return true;
}

template<typename View>
RecipeSections::Heading headingIn(View line)
{
    using Heading = RecipeSections::Heading;
    // Most lines are content: one look at the first character tells.
    if (line.size() < 2 || unitOf(line[0]) != u'#')
        return Heading::None;
    if (unitOf(line[1]) == u' ')
        return Heading::Title;
    if (!startsWith(line, "### "))
        return Heading::None;
    constexpr qsizetype named = 4; // after "### "
    if (startsWith(line, "### Ingred", named))
        return Heading::Ingredients;
    if (startsWith(line, "### Direc", named))
        return Heading::Directions;
    if (startsWith(line, "### Meta", named))
        return Heading::Metadata;
    return Heading::Other;
}

template<typename View>
bool isBlank(View line, qsizetype at)
{
    const char16_t unit = unitOf(line[at]);
    return unit == u' ' || unit == u'\t';
}

template<typename View>
qsizetype listItemTextStartIn(View line)
{
    qsizetype at = 0;
    while (at < line.size() && isBlank(line, at))
        ++at;
    if (at + 1 >= line.size())
        return -1;
    const char16_t mark = unitOf(line[at]);
    if ((mark != u'-' && mark != u'*' && mark != u'+') || !isBlank(line, at + 1))
        return -1;
    at += 2;
    while (at < line.size() && isBlank(line, at))
        ++at;
    return at;
}

} // namespace

RecipeSections::Heading RecipeSections::headingOf(QByteArrayView line)
{
    return headingIn(line);
}

RecipeSections::Heading RecipeSections::headingOf(QStringView line)
{
    return headingIn(line);
}

QByteArrayView RecipeSections::withoutByteOrderMark(QByteArrayView firstLine)
{
    constexpr QByteArrayView mark("\xEF\xBB\xBF");
    return firstLine.startsWith(mark) ? firstLine.sliced(mark.size()) : firstLine;
}

qsizetype RecipeSections::listItemTextStart(QByteArrayView line)
{
    return listItemTextStartIn(line);
}

qsizetype RecipeSections::listItemTextStart(QStringView line)
{
    return listItemTextStartIn(line);
}

QString RecipeSections::subHeadingOf(QStringView line)
{
    QStringView text = line.trimmed();
    const bool colonAfter = text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(u'：'));
    if (colonAfter && text.chopped(1).endsWith(QLatin1String("**")))
        text.chop(1); // "**For the sauce**:"
    if (text.startsWith(QLatin1String("####"))) {
        while (text.startsWith(QLatin1Char('#')))
            text = text.sliced(1);
        if (!text.startsWith(QLatin1Char(' ')))
            return {};
    } else if (text.size() > 4 &&
               ((text.startsWith(QLatin1String("**")) && text.endsWith(QLatin1String("**"))) ||
                (text.startsWith(QLatin1String("__")) && text.endsWith(QLatin1String("__"))))) {
        text = text.sliced(2).chopped(2);
        if (text.contains(QLatin1String("**")) || text.contains(QLatin1String("__")))
            return {};
    } else {
        return {};
    }
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(u'：')))
        text.chop(1);
    return text.trimmed().toString();
}
