#pragma once

// Recipe files on disk for the tests of every program, and the cookbooks the
// tests of finding share.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace testing {

// A recipe to cook from: its own servings, spans of time in its steps, and
// amounts to scale in its ingredients and its last step.
inline const QByteArray pancakesRecipe =
    "# Pancakes\n\nThin ones.\n\n### Ingredients\n\n"
    " * 250 g flour\n * 3 eggs\n * 500 ml milk\n * salt\n\n"
    "### Directions\n\n"
    "1. Whisk the flour, the eggs and the milk; rest 20–30 min.\n"
    "2. Fry each pancake 1 minute a side.\n"
    "3. Serve with 2 tbsp sugar.\n\n"
    "### Metadata\n\nservings: 4\n";

// A recipe as real ones are written: one step a long paragraph with three
// spans of time, so that cooking it fills a small window with text and
// timers; then the notes after the directions.
inline const QByteArray longStepRecipe =
    "# Kartoffelsuppe\n\n### Ingredients\n\n"
    "#### Suppe\n\n * 500 g Kartoffeln\n * 2 Karotten\n * 1 l Gemüsebrühe, heiß, am besten "
    "selbst gekocht aus Suppengrün, Lorbeer und Pfefferkörnern\n\n"
    "#### Einlage\n\n * 100 g Speck\n\n"
    "### Directions\n\n"
    "1. Die Zwiebeln schälen, fein würfeln und in einem großen Topf mit zwei Esslöffeln Butter bei "
    "mittlerer Hitze glasig anschwitzen, dabei immer wieder umrühren, damit nichts am Boden "
    "ansetzt. Dann das Mehl darüberstäuben, kurz mitrösten und nach und nach die heiße Brühe "
    "unter ständigem Rühren angießen, bis eine glatte, sämige Suppe entsteht. Die Kartoffeln "
    "waschen, schälen, in gleichmäßige Würfel schneiden und zusammen mit den Karotten in den Topf "
    "geben. Alles einmal aufkochen lassen und anschließend zugedeckt 20 Minuten leise köcheln "
    "lassen. In der Zwischenzeit den Speck in einer Pfanne ohne Fett 5 Minuten knusprig braten, "
    "auf Küchenpapier abtropfen lassen und beiseitestellen. Die Suppe vom Herd nehmen, mit dem "
    "Stabmixer zur Hälfte pürieren, mit Salz, Pfeffer und einer Prise Muskat abschmecken und vor "
    "dem Servieren noch 10 Minuten ziehen lassen, damit sich die Aromen verbinden und der Teig "
    "der Klößchen gar wird.\n"
    "2. Mit dem Speck servieren.\n\n"
    "## Nährwerte\n\n- 320 kcal pro Portion\n\n"
    "### Metadata\n\nservings: 4\n";

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

// Writes a recipe below `folder` and returns its absolute path.
inline QString writeRecipe(const QString& folder, const QString& relativePath, const QString& title,
                           const QStringList& tags = {}, const QStringList& ingredients = {})
{
    QByteArray text = "# " + title.toUtf8() + "\n\nA dish.\n\n### Ingredients\n\n";
    for (const QString& ingredient : ingredients)
        text += " * 1 kg " + ingredient.toUtf8() + "\n";
    text += "\n### Directions\n\nCook it.\n\n### Metadata\n\n";
    if (!tags.isEmpty())
        text += "tags: " + tags.join(QStringLiteral(", ")).toUtf8() + "\n";
    const QString path = QDir(folder).absoluteFilePath(relativePath);
    if (!writeFile(path, text))
        return QString();
    return path;
}

// Five recipes: two soups with onions, basil in two, two tagged quick (in
// two cases), one with accents in its title.
inline void writeSampleCookbook(const QString& folder)
{
    writeRecipe(folder, QStringLiteral("soups/tomato.recipe.md"), QStringLiteral("Tomato Soup"),
                {QStringLiteral("soup"), QStringLiteral("vegetarian")},
                {QStringLiteral("red onions"), QStringLiteral("garlic"), QStringLiteral("basil")});
    writeRecipe(folder, QStringLiteral("soups/pea.recipe.md"), QStringLiteral("Pea Soup"),
                {QStringLiteral("soup")}, {QStringLiteral("Onions"), QStringLiteral("carrots")});
    writeRecipe(folder, QStringLiteral("pesto.recipe.md"), QStringLiteral("Basil Pesto"),
                {QStringLiteral("Quick")},
                {QStringLiteral("basil"), QStringLiteral("garlic"), QStringLiteral("pine nuts")});
    writeRecipe(folder, QStringLiteral("brulee.recipe.md"), QStringLiteral("Crème Brûlée"),
                {QStringLiteral("dessert")}, {QStringLiteral("cream"), QStringLiteral("sugar")});
    writeRecipe(folder, QStringLiteral("rice.recipe.md"), QStringLiteral("Fried Rice"),
                {QStringLiteral("quick")}, {QStringLiteral("rice"), QStringLiteral("scallions")});
}

// Three recipes with onions, written three ways ("Salat" tagged salat), and
// one without; false if a file could not be written.
inline bool writeOnionCookbook(const QString& folder)
{
    return writeFile(folder + "/salat.recipe.md", "# Salat\n\n### Ingredients\n\n- rote Zwiebel\n"
                                                  "- Gurke\n\n### Metadata\n\ntags: salat\n") &&
           writeFile(folder + "/suppe.recipe.md",
                     "# Suppe\n\n### Ingredients\n\n- Zwiebeln\n- Wasser\n") &&
           writeFile(folder + "/kuchen.recipe.md",
                     "# Kuchen\n\n### Ingredients\n\n- 2 Zwiebeln, gewürfelt\n- Mehl\n") &&
           writeFile(folder + "/brot.recipe.md", "# Brot\n\n### Ingredients\n\n- Mehl\n");
}

} // namespace testing
