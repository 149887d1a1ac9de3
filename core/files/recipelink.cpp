#include "files/recipelink.h"

#include "recipe/recipefile.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

QString RecipeLink::linkTo(const QString& folder, const QString& path)
{
    const QString relative = QDir(folder).relativeFilePath(path);
    QString link;
    link.reserve(relative.size() + 8);
    for (const QChar c : relative) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(')') ||
            c == QLatin1Char('%') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
            c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('#') ||
            c == QLatin1Char('\t'))
            link += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            link += c;
    }
    return link;
}

QString RecipeLink::pathOf(const QString& folder, const QString& link)
{
    const QString decoded = QUrl::fromPercentEncoding(link.toUtf8());
    return QDir::cleanPath(QDir(folder).absoluteFilePath(decoded));
}

bool RecipeLink::namesRecipe(const QString& link)
{
    return QUrl::fromPercentEncoding(link.toUtf8()).endsWith(RecipeFile::suffix);
}

QString RecipeLink::escapedTitle(QString title)
{
    title.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    title.replace(QLatin1Char('['), QStringLiteral("\\["));
    title.replace(QLatin1Char(']'), QStringLiteral("\\]"));
    // A title is one line.
    return title.simplified();
}

QString RecipeLink::unescapedTitle(QString text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text.trimmed();
    static const QRegularExpression escaped(QStringLiteral("\\\\([\\[\\]\\\\])"));
    return text.replace(escaped, QStringLiteral("\\1")).trimmed();
}
