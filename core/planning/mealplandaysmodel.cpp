#include "planning/mealplandaysmodel.h"

#include "files/listfiletext.h"

MealPlanDaysModel::MealPlanDaysModel(QObject* parent)
    : QAbstractListModel(parent)
{}

void MealPlanDaysModel::show(const QDate& first, int count, const QDate& today,
                             const QList<PlannedMeal>& meals)
{
    beginResetModel();
    m_today = today;
    m_days.clear();
    for (int i = 0; i < count; ++i)
        m_days.append(Day{first.addDays(i), {}});
    for (const PlannedMeal& meal : meals) {
        const qint64 row = first.daysTo(meal.day);
        if (row >= 0 && row < count)
            m_days[int(row)].meals.append(meal);
    }
    endResetModel();
}

QDate MealPlanDaysModel::dateAt(int row) const
{
    return row >= 0 && row < m_days.size() ? m_days.at(row).date : QDate();
}

QList<PlannedMeal> MealPlanDaysModel::mealsAt(int row) const
{
    return row >= 0 && row < m_days.size() ? m_days.at(row).meals : QList<PlannedMeal>();
}

int MealPlanDaysModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_days.size());
}

QVariant MealPlanDaysModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Day& day = m_days.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return dayTitle(day.date);
    case DateRole:
        return day.date;
    case IsoDateRole:
        return day.date.toString(Qt::ISODate);
    case TodayRole:
        return day.date == m_today;
    case PastRole:
        return day.date < m_today;
    case EntriesRole: {
        QVariantList entries;
        for (int i = 0; i < day.meals.size(); ++i)
            entries.append(entryMap(day.meals.at(i), i));
        return entries;
    }
    case EntryCountRole:
        return int(day.meals.size());
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> MealPlanDaysModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"},  {DateRole, "date"}, {IsoDateRole, "isoDate"},
            {TodayRole, "today"},          {PastRole, "past"}, {EntriesRole, "entries"},
            {EntryCountRole, "entryCount"}};
}

QString MealPlanDaysModel::dayTitle(const QDate& day, const QLocale& locale)
{
    return locale.toString(day, QStringLiteral("dddd d MMMM"));
}

QString MealPlanDaysModel::entryText(const PlannedMeal& meal)
{
    QString text =
        meal.label.isEmpty() ? meal.title : meal.label + QStringLiteral(": ") + meal.title;
    if (meal.recipePath.isEmpty())
        return text;
    if (meal.servings > 0)
        text += tr(", for %1").arg(meal.servings);
    else if (meal.factorHalves > 0)
        text += QLatin1Char(' ') + ListFileText::factorText(meal.factorHalves);
    return text;
}

QVariantMap MealPlanDaysModel::entryMap(const PlannedMeal& meal, int index)
{
    return {{QStringLiteral("label"), meal.label},
            {QStringLiteral("title"), meal.title},
            {QStringLiteral("text"), meal.text},
            {QStringLiteral("path"), meal.recipePath},
            {QStringLiteral("servings"), meal.servings},
            {QStringLiteral("factorHalves"), meal.factorHalves},
            {QStringLiteral("display"), entryText(meal)},
            {QStringLiteral("index"), index}};
}
