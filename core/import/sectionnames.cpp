#include "import/sectionnames.h"

#include "text/textfolding.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// As pages write them; folded (lower case, no accents) once before use.
const char* const ingredientWords[] = {
    "ingredients",  "ingredient",    "what you need", "you will need", "you'll need", // English
    "zutaten",      "zutat",                                                          // German
    "ingrédients",  "ingrédient",                                                     // French
    "ingredientes",                             // Spanish, Portuguese
    "ingredienti",                              // Italian
    "ingrediënten", "benodigdheden",            // Dutch
    "ingredienser",                             // Danish, Swedish, Norwegian
    "składniki",                                // Polish
    "hozzávalók",                               // Hungarian
    "suroviny",     "ingredience",   "přísady", // Czech
    "malzemeler",                               // Turkish
    "ainekset",     "ainesosat",                // Finnish
    "ingrediente",                              // Romanian
    "sastojci",                                 // Croatian
    "ингредиенты",  "продукты",                 // Russian
    "υλικά",                                    // Greek
    "bahan-bahan",  "bahan",                    // Indonesian
    "材料",         "用料",          "食材",    // Chinese, Japanese
    "재료",                                     // Korean
    nullptr};
const char* const directionWords[] = {"directions",
                                      "direction",
                                      "instructions",
                                      "instruction",
                                      "method",
                                      "preparation",
                                      "steps",
                                      "how to make", // English
                                      "zubereitung",
                                      "anleitung",
                                      "so geht's",
                                      "so gehts", // German
                                      "étapes",
                                      "déroulement",
                                      "préparation", // French
                                      "preparación",
                                      "elaboración",
                                      "instrucciones",
                                      "pasos", // Spanish
                                      "modo de preparación",
                                      "modo de preparo",
                                      "preparo",
                                      "preparação",    // Portuguese
                                      "modo de fazer", //
                                      "preparazione",
                                      "procedimento",
                                      "istruzioni",
                                      "metodo", // Italian
                                      "bereiding",
                                      "bereidingswijze",
                                      "werkwijze", // Dutch
                                      "fremgangsmåde",
                                      "tilberedning",
                                      "sådan gør du", // Danish
                                      "gör så här",
                                      "tillagning",
                                      "instruktioner", // Swedish
                                      "fremgangsmåte",
                                      "slik gjør du", // Norwegian
                                      "przygotowanie",
                                      "sposób przygotowania",
                                      "wykonanie", // Polish
                                      "elkészítés",
                                      "elkészítése", // Hungarian
                                      "postup",
                                      "příprava",
                                      "postup přípravy", // Czech
                                      "yapılışı",
                                      "hazırlanışı", // Turkish
                                      "valmistus",
                                      "valmistusohje",
                                      "ohje", // Finnish
                                      "mod de preparare",
                                      "preparare", // Romanian
                                      "priprema",
                                      "postupak", // Croatian
                                      "приготовление",
                                      "способ приготовления", // Russian
                                      "εκτέλεση",
                                      "οδηγίες", // Greek
                                      "cara membuat",
                                      "langkah", // Indonesian
                                      "作り方",
                                      "做法",
                                      "步骤",
                                      "步驟", // Japanese, Chinese
                                      "만드는 법",
                                      "조리법", // Korean
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

QStringList folded(const char* const* words)
{
    TextFolding folding;
    QStringList out;
    for (const char* const* word = words; *word; ++word)
        out.append(folding.fold(QString::fromUtf8(*word)));
    return out;
}

} // namespace

QString SectionNames::key(const QString& heading)
{
    QString text = heading.simplified();
    while (!text.isEmpty() && QStringLiteral(":#*-=_.>：").contains(text.back()))
        text.chop(1);
    while (!text.isEmpty() && QStringLiteral("#*-=_> ").contains(text.front()))
        text.remove(0, 1);
    if (text.isEmpty() || text.size() > 60 || text.count(QLatin1Char(' ')) > 5)
        return {};
    TextFolding folding;
    return folding.fold(text).trimmed();
}

bool SectionNames::startsWithAny(const QString& key, const QStringList& words)
{
    for (const QString& w : words) {
        if (key == w)
            return true;
        // A whole first word: "ingredients for the dough", not "ingredientsx";
        // in scripts without spaces the word alone ("材料（2人分）").
        if (key.startsWith(w) && key.size() > w.size() &&
            (!key.at(w.size()).isLetterOrNumber() || TextFolding::isUnspaced(w.back().unicode())))
            return true;
    }
    return false;
}

bool SectionNames::isIngredients(const QString& heading)
{
    static const QStringList words = folded(ingredientWords);
    const QString k = key(heading);
    return !k.isEmpty() && startsWithAny(k, words);
}

bool SectionNames::isDirections(const QString& heading)
{
    static const QStringList words = folded(directionWords);
    const QString k = key(heading);
    if (k.isEmpty())
        return false;
    // "Préparation : 10 min" is a time, not a section.
    if (k.contains(QRegularExpression(QStringLiteral("\\d"))))
        return false;
    return startsWithAny(k, words);
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
    static const QStringList words = folded(notesWords);
    return startsWithAny(k, words);
}
