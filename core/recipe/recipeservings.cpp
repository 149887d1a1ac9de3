#include "recipe/recipeservings.h"

#include <QRegularExpression>

int RecipeServings::of(const QMap<QString, QStringList>& metadata)
{
    static const QRegularExpression number(QStringLiteral("[0-9]+"));
    for (const char* wanted : {"servings", "serves", "yield", "portions"}) {
        for (auto it = metadata.cbegin(); it != metadata.cend(); ++it) {
            if (it.key().trimmed().toCaseFolded() != QLatin1String(wanted) || it->isEmpty())
                continue;
            const QRegularExpressionMatch match = number.match(it->first());
            if (!match.hasMatch())
                continue;
            bool ok = false;
            const int servings = match.captured().toInt(&ok);
            return ok && servings >= minServings && servings <= maxServings ? servings : 0;
        }
    }
    return 0;
}
