#include "import/importcleanup.h"

#include "import/ingredientlines.h"
#include "import/inlinesteps.h"
#include "import/recipetitle.h"

#include <QRegularExpression>

namespace {

constexpr qsizetype maxTag = 40;

} // namespace

void ImportCleanup::tidy(ImportedRecipe& recipe, const QStringList& siteNames)
{
    QStringList sites = siteNames;
    const QString host = RecipeTitle::hostName(recipe.source);
    if (!host.isEmpty())
        sites.append(host);
    recipe.title = RecipeTitle::cleaned(recipe.title, sites);
    IngredientLines::tidy(recipe);
    recipe.steps = partedSteps(recipe.steps);
    recipe.tags = usefulTags(recipe.tags, recipe.author, sites);
}

QList<ImportedStep> ImportCleanup::partedSteps(const QList<ImportedStep>& steps)
{
    QList<ImportedStep> out;
    for (const ImportedStep& step : steps) {
        for (const QString& text : InlineSteps::split(step.text)) {
            if (!text.trimmed().isEmpty())
                out.append({step.section, text});
        }
    }
    // Steps each numbered in order ("1. Mix", "2. Bake") lose the numbers
    // the written list gives them again.
    bool numbered = out.size() >= 2;
    for (qsizetype i = 0; numbered && i < out.size(); ++i)
        numbered = InlineSteps::withoutNumber(out.at(i).text, int(i + 1)) != out.at(i).text;
    for (qsizetype i = 0; numbered && i < out.size(); ++i)
        out[i].text = InlineSteps::withoutNumber(out.at(i).text, int(i + 1));
    return out;
}

bool ImportCleanup::isUsefulTag(const QString& tag, const QStringList& excludedKeys)
{
    if (tag.size() > maxTag)
        return false;
    // Dates and years: "2021", "04-03-2021", "March 4, 2021".
    static const QRegularExpression date(QStringLiteral("^[\\d\\s./-]+$|\\b(?:19|20)\\d\\d\\b"));
    static const QRegularExpression label(
        QStringLiteral("brand content|branded|sponsored|sponsor|partner content|advertorial|"
                       "advertisement|anzeige|werbung|publicité|publi-reportage|uncategori[sz]ed|"
                       "non classé|allgemein"),
        QRegularExpression::CaseInsensitiveOption);
    if (date.match(tag).hasMatch() || label.match(tag).hasMatch())
        return false;
    const QString key = RecipeTitle::key(tag);
    return !key.isEmpty() && !excludedKeys.contains(key);
}

QStringList ImportCleanup::usefulTags(const QStringList& tags, const QString& author,
                                      const QStringList& siteNames)
{
    QStringList excluded;
    for (const QString& name : siteNames)
        excluded.append(RecipeTitle::key(name));
    // "Ada Brennan, Jon Hale": each author's name.
    for (const QString& name : author.split(QLatin1Char(','), Qt::SkipEmptyParts))
        excluded.append(RecipeTitle::key(name));
    QStringList out;
    for (const QString& tag : tags) {
        if (isUsefulTag(tag, excluded))
            out.append(tag);
    }
    return out;
}
