#pragma once

#include <QDate>
#include <QString>

// One line of the cooking journal: a recipe cooked on a day, with the stars
// it was given (1 to 5; 0 when none) and what the cook noted.
struct JournalEntry
{
    QDate day;
    QString recipePath; // absolute
    QString title;
    int stars = 0;
    QString note;
};

inline bool operator==(const JournalEntry& a, const JournalEntry& b)
{
    return a.day == b.day && a.recipePath == b.recipePath && a.title == b.title &&
           a.stars == b.stars && a.note == b.note;
}
