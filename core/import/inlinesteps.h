#pragma once

#include <QString>
#include <QStringList>

// Directions a page gives as one text numbered inline ("1.番茄切丁… 2.…",
// "Step 1: … Step 2: …", "1) … 2) …") parted into their steps. Only a run
// that starts at 1 and counts up one by one parts a text, and a number only
// counts when its mark follows it ("2." "2)" "Step 2"), so amounts and
// temperatures ("bake at 180. 2 eggs") stay where they are.
class InlineSteps
{
public:
    // The steps, without their numbers; the text alone when it is not
    // numbered so.
    static QStringList split(const QString& text);
    // The text without a leading step number ("2. Stir" gives "Stir") when it
    // has number `expected`; otherwise as it is.
    static QString withoutNumber(const QString& text, int expected);

private:
    struct Mark
    {
        qsizetype start;
        qsizetype end;
        int number;
    };
    static QList<Mark> marks(const QString& text);
};
