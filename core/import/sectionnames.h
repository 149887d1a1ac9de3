#pragma once

#include <QString>
#include <QStringList>

// Whether a heading or a line names a recipe's ingredients or its directions,
// in some twenty languages ("Ingredients", "Zutaten:", "Préparation",
// "Elaboración", "Bereiding", "Hozzávalók", "作り方"; "For the sauce" is
// neither), or the notes after them.
class SectionNames
{
public:
    static bool isIngredients(const QString& heading);
    static bool isDirections(const QString& heading);
    // What follows the steps: notes, tips, variations, nutrition, references,
    // also in Chinese and Japanese ("Nährwerte", "Remarques", "附加内容", "メモ").
    static bool isNotes(const QString& heading);

private:
    // The heading lower-cased, without accents, trailing colons or markup
    // characters; empty when it is too long to be a heading.
    static QString key(const QString& heading);
    static bool startsWithAny(const QString& key, const QStringList& words);
};
