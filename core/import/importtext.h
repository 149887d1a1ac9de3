#pragma once

#include <QString>
#include <QStringList>

// Text from pages and exports made plain: markup removed, entities decoded,
// blanks collapsed.
class ImportText
{
public:
    // One line: markup and entities resolved, all blanks (line breaks
    // included) collapsed to single spaces, trimmed.
    static QString line(const QString& text);
    // An ingredient line: as line(), and the doubled parentheses that some
    // page plugins write ("((480 g))") made single.
    static QString ingredient(const QString& text);
    // Text of several paragraphs or lines: one entry per non-blank line.
    static QStringList lines(const QString& text);
    // Several paragraphs kept apart by one blank line, each collapsed.
    static QString paragraphs(const QString& text);

    // Text whose UTF-8 bytes someone read as Windows-1252 ("Ã©", "Â ")
    // given back as written; any other text unchanged.
    static QString withoutMojibake(const QString& text);

private:
    static QString withoutMarkup(const QString& text);
    static QString withoutControls(QString text);
};
