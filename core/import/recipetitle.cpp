#include "import/recipetitle.h"

#include "text/textfolding.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

const QString recipeWords = QStringLiteral(
    "recipe|recipes|rezept|recette|receta|ricetta|recept|receita|przepis|resep|opskrift|oppskrift|"
    "recepty?|reseptti|tarifi");

// Segments of a title: "X | Site", "X - Site", "X – Site", "X — Site", "X · Site".
const QRegularExpression& separator()
{
    static const QRegularExpression pattern(QStringLiteral("\\s+[|–—·•»:-]+\\s+|\\s*\\|\\s*"));
    return pattern;
}

bool isRating(const QString& text)
{
    static const QRegularExpression rating(
        QStringLiteral("^\\(?\\s*[\\d.,]+\\s*(?:/|out "
                       "of|von|sur|de)\\s*\\d+\\s*(?:stars?|sterne)?\\s*\\)?$|^[★☆\\s]+$"),
        QRegularExpression::CaseInsensitiveOption);
    return rating.match(text.trimmed()).hasMatch();
}

} // namespace

QString RecipeTitle::key(const QString& text)
{
    TextFolding folding;
    QString out;
    for (const QChar c : folding.fold(text)) {
        if (c.isLetterOrNumber())
            out += c;
    }
    return out;
}

QString RecipeTitle::hostName(const QString& address)
{
    const QStringList labels = QUrl(address.trimmed()).host().toLower().split(QLatin1Char('.'));
    QString out;
    for (qsizetype i = 0; i + 1 < labels.size(); ++i) {
        if (labels.at(i) != QLatin1String("www") && labels.at(i).size() > out.size())
            out = labels.at(i);
    }
    return out;
}

bool RecipeTitle::isSiteName(const QString& text, const QStringList& siteKeys)
{
    const QString k = key(text);
    if (k.size() < 3)
        return false;
    for (const QString& site : siteKeys) {
        // "Sabores…" cut short, "Afghan Kitchen Recipes" at afghankitchenrecipes.example
        if (k == site || (k.size() >= 5 && site.startsWith(k)) ||
            (site.size() >= 5 && k.startsWith(site)))
            return true;
    }
    return false;
}

QString RecipeTitle::withoutSuffix(const QString& title, const QStringList& siteKeys)
{
    // "… recipe by Bong Eats", "… Rezept von Oma Inge"
    static const QRegularExpression recipeBy(
        QStringLiteral("\\s+(?:%1)\\s+(?:by|von|par|de|di|door|od|av|af)\\s+[^,;]{2,60}$")
            .arg(recipeWords),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QString out = title;
    out.remove(recipeBy);
    QRegularExpressionMatchIterator it = separator().globalMatch(out);
    QRegularExpressionMatch last;
    while (it.hasNext())
        last = it.next();
    if (!last.hasMatch() || last.capturedStart() == 0)
        return out;
    const QString left = out.left(last.capturedStart()).trimmed();
    const QString right = out.mid(last.capturedEnd()).trimmed();
    static const QRegularExpression recipeWord(QStringLiteral("^(?:%1)$").arg(recipeWords),
                                               QRegularExpression::CaseInsensitiveOption);
    // A bar almost always stands before a site's name; other separators
    // only count before a name the page gives its site.
    if (left.isEmpty())
        return out;
    if (last.captured().contains(QLatin1Char('|')) || isRating(right) ||
        recipeWord.match(right).hasMatch() || right.isEmpty() || isSiteName(right, siteKeys))
        return left;
    return out;
}

QString RecipeTitle::withoutRecipeWord(const QString& title)
{
    static const QRegularExpression leading(
        QStringLiteral("^(?:%1)\\s*[:：|–—-]\\s*").arg(recipeWords),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression trailing(
        QStringLiteral("\\s*[:：|–—-]?\\s+(?:%1)\\s*[:.!]?$").arg(recipeWords),
        QRegularExpression::CaseInsensitiveOption);
    QString out = title;
    out.remove(leading);
    const QString without = QString(out).remove(trailing).trimmed();
    if (without.isEmpty() || without == out)
        return out;
    // "Easy Banana Bread Recipe" and "Gulyásleves recept" lose the word;
    // "Apfelkuchen nach Omas Rezept" and "Grandma's Recipe" keep it, the
    // word being part of the name there.
    static const QRegularExpression whose(
        QStringLiteral("(?:['’]s|\\b(?:my|our|mein|meine|unser|unsere|nach|von|from|by|"
                       "mamma|nonna)\\s+\\S+|\\b(?:my|our|mein|meine|unser|unsere))$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return whose.match(without).hasMatch() ? out : without;
}

QString RecipeTitle::cleaned(const QString& title, const QStringList& siteNames)
{
    QStringList siteKeys;
    for (const QString& name : siteNames) {
        const QString k = key(name);
        if (k.size() >= 3)
            siteKeys.append(k);
    }
    QString out = title.simplified();
    // Each pass takes one layer: "Arretjescake – Recept | Smulhuis".
    for (int pass = 0; pass < 4; ++pass) {
        const QString next = withoutRecipeWord(withoutSuffix(out, siteKeys)).trimmed();
        if (next == out || next.isEmpty())
            break;
        out = next;
    }
    while (!out.isEmpty() && QStringLiteral("|–—-:·•").contains(out.back()))
        out = out.chopped(1).trimmed();
    return out.isEmpty() ? title.simplified() : out;
}
