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

// What cooks write after the steps, in the languages whose durations cooking
// reads: English, German, French, Spanish, Italian, Dutch.
const char* const notesWords[] = {"notes",
                                  "note",
                                  "tips",
                                  "tip",
                                  "hints",
                                  "tricks",
                                  "variations",
                                  "variation",
                                  "variants",
                                  "nutrition",
                                  "nutritional information",
                                  "nutrition facts",
                                  "references",
                                  "reference",
                                  "sources",
                                  "source",
                                  "serving suggestions",
                                  "storage",
                                  "notizen",
                                  "anmerkungen",
                                  "anmerkung",
                                  "hinweise",
                                  "hinweis",
                                  "tipps",
                                  "tipp",
                                  "varianten",
                                  "variante",
                                  "nahrwerte",
                                  "nahrwert",
                                  "nahrwertangaben",
                                  "quellen",
                                  "quelle",
                                  "bemerkungen",
                                  "remarques",
                                  "remarque",
                                  "astuces",
                                  "astuce",
                                  "conseils",
                                  "conseil",
                                  "variantes",
                                  "valeurs nutritionnelles",
                                  "references",
                                  "notas",
                                  "nota",
                                  "consejos",
                                  "trucos",
                                  "variaciones",
                                  "informacion nutricional",
                                  "valor nutricional",
                                  "referencias",
                                  "fuentes",
                                  "consigli",
                                  "suggerimenti",
                                  "varianti",
                                  "valori nutrizionali",
                                  "riferimenti",
                                  "fonti",
                                  "opmerkingen",
                                  "opmerking",
                                  "notities",
                                  "variaties",
                                  "voedingswaarde",
                                  "voedingswaarden",
                                  "bronnen",
                                  "bron",
                                  "referenties",
                                  nullptr};

// Chinese and Japanese: a heading that starts with one of these.
const char16_t* const notesPrefixes[] = {
    u"附加", u"备注",     u"備註", u"小贴士", u"贴士",   u"提示",     u"注意",   u"参考",
    u"參考", u"营养",     u"營養", u"窍门",   u"小窍门", u"技巧",     u"变化",   u"说明",
    u"メモ", u"ポイント", u"コツ", u"備考",   u"栄養",   u"アレンジ", u"ヒント", nullptr};

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

bool SectionNames::isNotes(const QString& heading)
{
    const QString k = key(heading);
    if (k.isEmpty())
        return false;
    for (const char16_t* const* prefix = notesPrefixes; *prefix; ++prefix) {
        if (k.startsWith(QStringView(*prefix)))
            return true;
    }
    return startsWithAny(k, notesWords);
}
