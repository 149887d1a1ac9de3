#pragma once

#include "planning/plannedmeal.h"

#include <QAbstractListModel>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QVariantList>

// The days a meal plan shows, one row each, with their entries: what both
// programs lay out as a week.
class MealPlanDaysModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        DateRole = Qt::UserRole + 1, // QDate
        IsoDateRole,                 // "2026-12-14"
        TodayRole,
        PastRole,
        EntriesRole, // a list of maps, see entryMap()
        EntryCountRole,
    };

    explicit MealPlanDaysModel(QObject* parent = nullptr);

    // `count` days from `first`, with the meals of those days.
    void show(const QDate& first, int count, const QDate& today, const QList<PlannedMeal>& meals);
    QDate dateAt(int row) const;
    QList<PlannedMeal> mealsAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // "Monday 14 December"
    static QString dayTitle(const QDate& day, const QLocale& locale = QLocale());
    // "Dinner: Red lentil dal, for 4"
    static QString entryText(const PlannedMeal& meal);
    // label, title, text, path, servings, factorHalves, display, index
    static QVariantMap entryMap(const PlannedMeal& meal, int index);

private:
    struct Day
    {
        QDate date;
        QList<PlannedMeal> meals;
    };
    QList<Day> m_days;
    QDate m_today;
};
