#include "pantry/pantrystaples.h"

#include "text/nameforms.h"

#include <QSet>

#include <algorithm>

namespace {

constexpr const char16_t* staples[] = {
    // English
    u"water",
    u"salt",
    u"pepper",
    u"black pepper",
    u"oil",
    u"vegetable oil",
    u"sugar",
    u"salt and pepper",
    // German
    u"Wasser",
    u"Salz",
    u"Pfeffer",
    u"Öl",
    u"Speiseöl",
    u"Zucker",
    u"Salz und Pfeffer",
    // French
    u"eau",
    u"sel",
    u"poivre",
    u"huile",
    u"sucre",
    u"sel et poivre",
    // Spanish
    u"agua",
    u"sal",
    u"pimienta",
    u"aceite",
    u"azúcar",
    u"sal y pimienta",
    // Italian
    u"acqua",
    u"sale",
    u"pepe",
    u"olio",
    u"zucchero",
    u"sale e pepe",
    // Dutch
    u"zout",
    u"peper",
    u"olie",
    u"suiker",
    // Chinese
    u"水",
    u"盐",
    u"鹽",
    u"食盐",
    u"胡椒",
    u"胡椒粉",
    u"油",
    u"食用油",
    u"糖",
    u"白糖",
    // Japanese
    u"塩",
    u"こしょう",
    u"コショウ",
    u"塩こしょう",
    u"サラダ油",
    u"砂糖",
};

QSet<QString> foldedStaples()
{
    QSet<QString> folded;
    for (const char16_t* staple : staples)
        folded.insert(NameForms::foldedName(QString::fromUtf16(staple)));
    return folded;
}

} // namespace

bool PantryStaples::isStaple(const QString& name)
{
    static const QSet<QString> table = foldedStaples();
    const QString folded = NameForms::foldedName(name);
    if (folded.isEmpty())
        return false;
    if (table.contains(folded))
        return true;
    const QStringList variants = NameForms::variants(folded);
    return std::any_of(variants.cbegin(), variants.cend(),
                       [](const QString& variant) { return table.contains(variant); });
}
