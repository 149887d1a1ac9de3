#include "import/sectionnames.h"

#include "text/textfolding.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// Folded forms (lower case, no accents).
const char* const ingredientWords[] = {
    "ingredients", "ingredient",    "zutaten",       "zutat",       "ingredientes",
    "ingredienti", "what you need", "you will need", "you'll need", nullptr};
const char* const directionWords[] = {"directions",
                                      "direction",
                                      "instructions",
                                      "instruction",
                                      "method",
                                      "preparation",
                                      "steps",
                                      "how to make",
                                      "zubereitung",
                                      "anleitung",
                                      "so geht's",
                                      "so gehts",
                                      "etapes",
                                      "deroulement",
                                      "preparacion",
                                      "elaboracion",
                                      "instrucciones",
                                      "pasos",
                                      "modo de preparacion",
                                      "preparazione",
                                      "procedimento",
                                      "istruzioni",
                                      "metodo",
                                      nullptr};

} // namespace

QString SectionNames::key(const QString& heading)
{
    QString text = heading.simplified();
    while (!text.isEmpty() && QStringLiteral(":#*-=_.>").contains(text.back()))
        text.chop(1);
    while (!text.isEmpty() && QStringLiteral("#*-=_> ").contains(text.front()))
        text.remove(0, 1);
    if (text.isEmpty() || text.size() > 60 || text.count(QLatin1Char(' ')) > 5)
        return {};
    TextFolding folding;
    return folding.fold(text).trimmed();
}

bool SectionNames::startsWithAny(const QString& key, const char* const* words)
{
    for (const char* const* word = words; *word; ++word) {
        const QLatin1String w(*word);
        if (key == w)
            return true;
        // A whole first word: "ingredients for the dough", not "ingredientsx".
        if (key.startsWith(w) && !key.at(w.size()).isLetterOrNumber())
            return true;
    }
    return false;
}

bool SectionNames::isIngredients(const QString& heading)
{
    const QString k = key(heading);
    return !k.isEmpty() && startsWithAny(k, ingredientWords);
}

bool SectionNames::isDirections(const QString& heading)
{
    const QString k = key(heading);
    if (k.isEmpty())
        return false;
    // "Préparation : 10 min" is a time, not a section.
    if (k.contains(QRegularExpression(QStringLiteral("\\d"))))
        return false;
    return startsWithAny(k, directionWords);
}
