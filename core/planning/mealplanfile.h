#pragma once

#include "planning/plannedmeal.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The meal plan as a Markdown file that people and other programs read and
// write too:
//
//   # Meal plan
//
//   ## 2026-12-14 Monday
//
//   - Dinner: [Red lentil dal](Soups/red-lentil-dal.recipe.md) for 4
//   - Lunch: leftovers
//
// A day is any heading holding an ISO date, whatever else it says; its
// entries are the list items up to the next heading. Every other line is
// written back as it stands and moves with its day; days are written in date
// order, so that a file sorted by hand stays as it is.
class MealPlanFile
{
public:
    static constexpr qint64 sizeLimit = qint64(4) * 1024 * 1024;

    static QString fileName() { return QStringLiteral("meal-plan.md"); }

    // Reads a file's text; links are resolved against `folder`, the file's.
    static MealPlanFile parse(const QString& text, const QString& folder);

    // Every entry, the days in date order.
    QList<PlannedMeal> meals() const;
    QList<PlannedMeal> mealsOn(const QDate& day) const;

    // Adds at the end of its day; a day not in the file gets a heading
    // naming it in `locale`'s language.
    void add(const PlannedMeal& meal, const QLocale& locale);
    // The `index`th entry of `day`; false when there is none.
    bool remove(const QDate& day, int index);
    bool setAmount(const QDate& day, int index, int servings, int factorHalves);
    // Removes the days before `day`, with every line under them; how many.
    int removeDaysBefore(const QDate& day);
    int daysBefore(const QDate& day) const;
    // The index of an entry of `day` written as `text` after the label
    // (PlannedMeal::text) with `label`: `near` where that one is, else the
    // first; -1 when there is none.
    int indexOf(const QDate& day, const QString& label, const QString& text, int near = -1) const;

    QString toText() const;

    // "- Dinner: [Red lentil dal](Soups/red-lentil-dal.recipe.md) for 4"
    static QString entryLine(const PlannedMeal& meal, const QString& folder);
    // "## 2026-12-14 Monday"
    static QString headingOf(const QDate& day, const QLocale& locale);
    // The meal a list item's line names, or false when it is no list item.
    static bool readEntry(const QString& line, const QString& folder, PlannedMeal* meal);
    // A link from `folder` that Markdown readers follow: everything but
    // letters of ASCII, digits, "-._~" and "/" percent-encoded.
    static QString linkTo(const QString& folder, const QString& path);

private:
    struct Line
    {
        QString text;
        bool isEntry = false;
        PlannedMeal meal;
    };
    struct Day
    {
        QDate date;
        QString heading;
        QList<Line> lines;
    };

    Line* entryLine(const QDate& day, int index);
    QList<Day>::iterator dayOf(const QDate& day);
    QList<Day>::const_iterator dayOf(const QDate& day) const;

    QString m_folder;
    QStringList m_preamble; // the lines before the first day
    QList<Day> m_days;
    bool m_crlf = false;
    bool m_new = true; // no text yet: the file gets a title
};

// The meal plan of the cookbook in `cookbookFolder`; empty when it has none
// or it cannot be read.
QList<PlannedMeal> readMealPlan(const QString& cookbookFolder);
