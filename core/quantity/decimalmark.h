#pragma once

#include <QChar>
#include <QStringList>
#include <QStringView>

// The decimal mark a recipe writes its amounts with: "0,5 l" and "1,5 EL" in
// German or French, "0.5 l" in English. Amounts the program computes for the
// recipe (scaled, summed) are shown with the same mark.
class DecimalMark
{
public:
    // The mark of the first number with a fractional part in `written`;
    // a null QChar when there is none.
    static QChar in(QStringView written);
    // The mark of the first of `written` that shows one; "." when none does.
    static QChar of(const QStringList& written);
};
