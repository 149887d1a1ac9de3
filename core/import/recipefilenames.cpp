#include "import/recipefilenames.h"

#include <QStringList>

namespace {

// Refused or special on Windows, macOS or Linux, or troublesome in links of
// a Markdown file.
bool isUnsafe(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f ||
           QStringLiteral("<>:\"/\\|?*#%&{}$!'`@+=[]();,^~").contains(c) ||
           c.category() == QChar::Other_Format;
}

bool isReservedOnWindows(const QString& name)
{
    static const QStringList reserved = {QStringLiteral("con"), QStringLiteral("prn"),
                                         QStringLiteral("aux"), QStringLiteral("nul")};
    if (reserved.contains(name))
        return true;
    return name.size() == 4 &&
           (name.startsWith(QLatin1String("com")) || name.startsWith(QLatin1String("lpt"))) &&
           name.at(3).isDigit();
}

constexpr int maxLength = 80; // characters, well within every system's limit in bytes

} // namespace

QString RecipeFileNames::baseName(const QString& title)
{
    QString kept;
    for (const QChar c : title.toLower()) {
        if (c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.'))
            kept += QLatin1Char(' ');
        else if (!isUnsafe(c))
            kept += c;
    }
    QString name = kept.simplified().replace(QLatin1Char(' '), QLatin1Char('-'));
    if (name.size() > maxLength) {
        name.truncate(maxLength);
        // Never end in half a surrogate pair or a dash.
        if (name.back().isHighSurrogate())
            name.chop(1);
        while (name.endsWith(QLatin1Char('-')))
            name.chop(1);
    }
    if (name.isEmpty() || isReservedOnWindows(name))
        name = name.isEmpty() ? QStringLiteral("recipe") : name + QStringLiteral("-recipe");
    return name;
}

QString RecipeFileNames::numbered(const QString& baseName, int number)
{
    return number <= 1 ? baseName : baseName + QLatin1Char('-') + QString::number(number);
}
