#pragma once

#include <QString>
#include <QtGlobal>

// A count in a message that agrees with its number: "1 recipe", "3 recipes".
// The callers translate both forms; untranslated source text has no plural
// forms of its own.
class CountWording
{
public:
    // `one` for exactly one, otherwise `many` with its "%1" as the count.
    static QString of(qint64 count, const QString& one, const QString& many);
};
