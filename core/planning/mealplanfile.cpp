#include "planning/mealplanfile.h"

#include "files/listfiletext.h"
#include "files/recipelink.h"
#include "files/safefile.h"
#include "recipe/recipefile.h"
#include "shopping/shoppinglistfile.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>

namespace {

bool isHeading(const QString& line)
{
    static const QRegularExpression pattern(QStringLiteral("^ {0,3}#{1,6}(?:\\s|$)"));
    return pattern.match(line).hasMatch();
}

// The first ISO date a heading holds, or an invalid date.
QDate dateOfHeading(const QString& line)
{
    if (!isHeading(line))
        return QDate();
    static const QRegularExpression iso(
        QStringLiteral("(?<!\\d)(\\d{4})-(\\d{2})-(\\d{2})(?!\\d)"));
    QRegularExpressionMatchIterator it = iso.globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                         match.captured(3).toInt());
        if (date.isValid())
            return date;
    }
    return QDate();
}

// "for 4", "×2", "x1½"; the rest of an entry after its recipe link.
void readAmount(const QString& text, PlannedMeal* meal)
{
    static const QRegularExpression servings(QStringLiteral("^for\\s+(\\d{1,3})(?!\\d)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = servings.match(text);
    if (match.hasMatch()) {
        meal->servings = match.captured(1).toInt();
        return;
    }
    static const QRegularExpression factor(QStringLiteral("^[×xX*]\\s*(\\S+)"));
    const QRegularExpressionMatch factorMatch = factor.match(text);
    if (!factorMatch.hasMatch())
        return;
    meal->factorHalves = ListFileText::halvesOf(factorMatch.captured(1));
}

bool readRecipeLink(const QString& text, const QString& folder, PlannedMeal* meal)
{
    static const QRegularExpression link(
        QStringLiteral("^\\[((?:\\\\.|[^\\]\\\\])*)\\]\\(\\s*(<[^>]*>|[^)]+?)\\s*\\)\\s*(.*)$"));
    const QRegularExpressionMatch match = link.match(text);
    if (!match.hasMatch())
        return false;
    QString target = match.captured(2);
    if (target.startsWith(QLatin1Char('<')))
        target = target.mid(1, target.size() - 2);
    if (!QUrl::fromPercentEncoding(target.toUtf8()).endsWith(RecipeFile::suffix))
        return false;
    meal->title = RecipeLink::unescapedTitle(match.captured(1));
    meal->recipePath = ShoppingListFile::pathOf(folder, target);
    readAmount(match.captured(3).trimmed(), meal);
    return true;
}

} // namespace

bool MealPlanFile::readEntry(const QString& line, const QString& folder, PlannedMeal* meal)
{
    // Items of the day's own list; indented ones belong to the entry above.
    static const QRegularExpression item(QStringLiteral("^[-*+]\\s+(.*?)\\s*$"));
    const QRegularExpressionMatch match = item.match(line);
    if (!match.hasMatch())
        return false;
    QString body = match.captured(1);
    // A box someone ticked in another program.
    static const QRegularExpression box(QStringLiteral("^\\[[ xX]\\]\\s+"));
    body.remove(box);
    if (body.isEmpty())
        return false;
    // A label is a few words before a colon and a blank: never a link's
    // "https:" nor the colon of a title.
    static const QRegularExpression label(
        QStringLiteral("^([^\\[\\]:\uFF1A()]{1,40})(?::\\s+|\uFF1A\\s*)(.+)$"));
    const QRegularExpressionMatch labelMatch = label.match(body);
    PlannedMeal read;
    read.day = meal->day;
    if (labelMatch.hasMatch()) {
        read.label = labelMatch.captured(1).trimmed();
        body = labelMatch.captured(2);
    }
    read.text = body;
    if (!readRecipeLink(body, folder, &read))
        read.title = body;
    *meal = read;
    return true;
}

MealPlanFile MealPlanFile::parse(const QString& text, const QString& folder)
{
    MealPlanFile file;
    file.m_folder = folder;
    const QStringList lines = ListFileText::lines(text, &file.m_crlf);
    file.m_new = lines.isEmpty();

    bool inList = false; // entries end at the first heading after the day's
    for (const QString& line : std::as_const(lines)) {
        const QDate date = dateOfHeading(line);
        if (date.isValid()) {
            file.m_days.append(Day{date, line, {}});
            inList = true;
            continue;
        }
        if (file.m_days.isEmpty()) {
            file.m_preamble.append(line);
            continue;
        }
        if (isHeading(line))
            inList = false;
        Line kept{line, false, {}};
        kept.meal.day = file.m_days.last().date;
        kept.isEntry = inList && readEntry(line, folder, &kept.meal);
        file.m_days.last().lines.append(kept);
    }
    // Days in date order; days of one date keep the order they had.
    std::stable_sort(file.m_days.begin(), file.m_days.end(),
                     [](const Day& a, const Day& b) { return a.date < b.date; });
    return file;
}

QList<PlannedMeal> MealPlanFile::meals() const
{
    QList<PlannedMeal> all;
    for (const Day& day : m_days) {
        for (const Line& line : day.lines) {
            if (line.isEntry)
                all.append(line.meal);
        }
    }
    return all;
}

QList<PlannedMeal> MealPlanFile::mealsOn(const QDate& day) const
{
    QList<PlannedMeal> found;
    for (const Day& each : m_days) {
        if (each.date != day)
            continue;
        for (const Line& line : each.lines) {
            if (line.isEntry)
                found.append(line.meal);
        }
    }
    return found;
}

QList<MealPlanFile::Day>::iterator MealPlanFile::dayOf(const QDate& day)
{
    return std::find_if(m_days.begin(), m_days.end(),
                        [&](const Day& each) { return each.date == day; });
}

QList<MealPlanFile::Day>::const_iterator MealPlanFile::dayOf(const QDate& day) const
{
    return std::find_if(m_days.cbegin(), m_days.cend(),
                        [&](const Day& each) { return each.date == day; });
}

MealPlanFile::Line* MealPlanFile::entryLine(const QDate& day, int index)
{
    int seen = 0;
    for (Day& each : m_days) {
        if (each.date != day)
            continue;
        for (Line& line : each.lines) {
            if (line.isEntry && seen++ == index)
                return &line;
        }
    }
    return nullptr;
}

void MealPlanFile::add(const PlannedMeal& meal, const QLocale& locale)
{
    Line line{entryLine(meal, m_folder), true, meal};
    auto day = dayOf(meal.day);
    if (day == m_days.end()) {
        const auto after =
            std::upper_bound(m_days.begin(), m_days.end(), meal.day,
                             [](const QDate& date, const Day& each) { return date < each.date; });
        m_days.insert(after, Day{meal.day, headingOf(meal.day, locale), {Line{}, line}});
        return;
    }
    // After the day's last entry, else right below its heading.
    int at = 0;
    for (int i = 0; i < day->lines.size(); ++i) {
        if (day->lines.at(i).isEntry)
            at = i + 1;
    }
    if (at == 0) {
        day->lines.insert(0, Line{});
        at = 1;
    }
    day->lines.insert(at, line);
}

bool MealPlanFile::remove(const QDate& day, int index)
{
    Line* line = entryLine(day, index);
    if (!line)
        return false;
    for (Day& each : m_days) {
        for (int i = 0; i < each.lines.size(); ++i) {
            if (&each.lines[i] == line) {
                each.lines.removeAt(i);
                return true;
            }
        }
    }
    return false;
}

bool MealPlanFile::setAmount(const QDate& day, int index, int servings, int factorHalves)
{
    Line* line = entryLine(day, index);
    if (!line || line->meal.recipePath.isEmpty())
        return false;
    line->meal.servings = std::max(0, servings);
    line->meal.factorHalves = servings > 0 ? 0 : std::max(0, factorHalves);
    line->text = entryLine(line->meal, m_folder);
    readEntry(line->text, m_folder, &line->meal);
    return true;
}

int MealPlanFile::removeDaysBefore(const QDate& day)
{
    return int(m_days.removeIf([&](const Day& each) { return each.date < day; }));
}

int MealPlanFile::daysBefore(const QDate& day) const
{
    return int(std::count_if(m_days.cbegin(), m_days.cend(),
                             [&](const Day& each) { return each.date < day; }));
}

int MealPlanFile::indexOf(const QDate& day, const QString& label, const QString& text,
                          int near) const
{
    const QList<PlannedMeal> meals = mealsOn(day);
    const auto matches = [&](int i) {
        return meals.at(i).label == label && meals.at(i).text == text;
    };
    if (near >= 0 && near < meals.size() && matches(near))
        return near;
    for (int i = 0; i < meals.size(); ++i) {
        if (matches(i))
            return i;
    }
    return -1;
}

QString MealPlanFile::toText() const
{
    QStringList out = m_preamble;
    ListFileText::trimBlankLines(&out);
    if (m_new)
        out.append(QStringLiteral("# Meal plan"));
    for (const Day& day : m_days) {
        QStringList block;
        for (const Line& line : day.lines)
            block.append(line.text);
        ListFileText::trimBlankLines(&block);
        if (!out.isEmpty())
            out.append(QString());
        out.append(day.heading);
        if (!block.isEmpty()) {
            out.append(QString());
            out.append(block);
        }
    }
    const QString lineEnd = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return out.join(lineEnd) + lineEnd;
}

QString MealPlanFile::entryLine(const PlannedMeal& meal, const QString& folder)
{
    QString line = QStringLiteral("- ");
    if (!meal.label.isEmpty())
        line += meal.label.simplified() + QStringLiteral(": ");
    if (meal.recipePath.isEmpty())
        return line + meal.text.simplified();
    line += QStringLiteral("[%1](%2)")
                .arg(RecipeLink::escapedTitle(meal.title), linkTo(folder, meal.recipePath));
    if (meal.servings > 0)
        line += QStringLiteral(" for %1").arg(meal.servings);
    else if (meal.factorHalves > 0)
        line += QLatin1Char(' ') + ListFileText::factorText(meal.factorHalves);
    return line;
}

QString MealPlanFile::headingOf(const QDate& day, const QLocale& locale)
{
    return QStringLiteral("## %1 %2")
        .arg(day.toString(Qt::ISODate), locale.dayName(day.dayOfWeek(), QLocale::LongFormat));
}

QString MealPlanFile::linkTo(const QString& folder, const QString& path)
{
    return QString::fromLatin1(
        QUrl::toPercentEncoding(QDir(folder).relativeFilePath(path), QByteArrayLiteral("/")));
}

QList<PlannedMeal> readMealPlan(const QString& cookbookFolder)
{
    const QByteArray bytes = SafeFile::readAll(
        QDir(cookbookFolder).filePath(MealPlanFile::fileName()), MealPlanFile::sizeLimit);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (bytes.isEmpty() || decoder.hasError())
        return {};
    return MealPlanFile::parse(text, cookbookFolder).meals();
}
