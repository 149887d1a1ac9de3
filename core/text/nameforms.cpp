#include "text/nameforms.h"

#include "text/textfolding.h"

namespace {

struct Ending
{
    const char* singular;
    const char* plural;
};

// Singular ending, plural ending. The stem before them keeps at least two
// characters, so a short word never loses itself to an ending.
constexpr Ending endings[] = {
    {"y", "ies"}, {"f", "ves"}, {"fe", "ves"}, // English: berry, leaf, knife
    {"", "es"},   {"", "s"},                   // English, French, Spanish, Dutch
    {"", "en"},   {"", "n"},    {"", "e"},     // German, Dutch
    {"", "er"},                                // German: Ei, Eier
    {"", "x"},                                 // French: poireau, poireaux
    {"o", "i"},                                // Italian: pomodoro, pomodori
};
constexpr qsizetype minimumStem = 2;

qsizetype lastWordStart(const QString& name)
{
    const qsizetype blank = name.lastIndexOf(QLatin1Char(' '));
    return blank < 0 ? 0 : blank + 1;
}

void addVariantsOf(const QString& name, const QString& singular, const QString& plural,
                   QStringList& variants)
{
    const qsizetype wordStart = lastWordStart(name);
    const qsizetype wordLength = name.size() - wordStart;
    // Plural to singular: "onions" to "onion".
    if (name.endsWith(plural) && wordLength - plural.size() >= minimumStem)
        variants.append(name.chopped(plural.size()) + singular);
    // Singular to plural: "onion" to "onions".
    if (name.endsWith(singular) && wordLength - singular.size() >= minimumStem)
        variants.append(name.chopped(singular.size()) + plural);
}

} // namespace

QString NameForms::foldedName(const QString& name)
{
    thread_local TextFolding folding;
    return folding.fold(name).simplified();
}

QStringList NameForms::variants(const QString& foldedName)
{
    QStringList variants;
    if (foldedName.isEmpty())
        return variants;
    for (const Ending& ending : endings)
        addVariantsOf(foldedName, QString::fromLatin1(ending.singular),
                      QString::fromLatin1(ending.plural), variants);
    variants.removeAll(foldedName);
    variants.removeDuplicates();
    return variants;
}

bool NameForms::sameName(const QString& a, const QString& b)
{
    const QString first = foldedName(a);
    const QString second = foldedName(b);
    if (first.isEmpty() || second.isEmpty())
        return false;
    return first == second || variants(first).contains(second);
}
