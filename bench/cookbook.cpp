#include "cookbook.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <array>

namespace {

constexpr std::array adjectives{"smoked",  "fresh",  "dried",  "ground", "red",     "green",
                                "white",   "black",  "sweet",  "sour",   "roasted", "toasted",
                                "crushed", "grated", "frozen", "wild",   "pickled", "salted",
                                "young",   "mature", "golden", "baby",   "plain",   "whole"};

constexpr std::array bases{
    "paprika", "pepper",  "onion",   "garlic", "tomato",    "carrot",  "potato",    "leek",
    "celery",  "fennel",  "cabbage", "kale",   "spinach",   "lentils", "chickpeas", "beans",
    "rice",    "barley",  "oats",    "flour",  "butter",    "cream",   "milk",      "yoghurt",
    "cheese",  "egg",     "chicken", "beef",   "pork",      "lamb",    "salmon",    "cod",
    "prawns",  "mussels", "apple",   "pear",   "plum",      "cherry",  "lemon",     "lime",
    "orange",  "ginger",  "chili",   "cumin",  "coriander", "thyme",   "rosemary",  "basil",
    "parsley", "dill",    "mint",    "sugar",  "honey",     "vinegar", "olive oil", "mustard"};

constexpr std::array units{"g", "kg", "ml", "l", "tbsp", "tsp", "pcs", "cups", "cloves", "pinch"};
constexpr std::array amounts{"1",   "2",   "3",   "4",   "5", "10", "50",
                             "100", "200", "250", "500", "½", "¼",  "1.5"};
constexpr std::array comments{"finely chopped", "at room temperature", "or to taste",
                              "rinsed",         "cut in cubes",        "alternatively dried"};
constexpr std::array bareBullets{"salt", "pepper", "water", "fresh herbs"};

constexpr std::array dishes{"Soup",  "Stew",     "Salad",  "Pie",      "Curry", "Risotto",
                            "Bake",  "Tart",     "Gratin", "Bread",    "Pasta", "Casserole",
                            "Sauce", "Fritters", "Cake",   "Porridge", "Roast", "Dumplings"};

constexpr std::array tagPool{
    "vegetarian", "vegan",  "quick",   "oven",        "cooked",  "kid friendly", "soup",
    "winter",     "summer", "spring",  "autumn",      "party",   "dessert",      "breakfast",
    "lunch",      "dinner", "side",    "starter",     "baking",  "grill",        "spicy",
    "mild",       "budget", "festive", "gluten free", "fish",    "meat",         "poultry",
    "pasta",      "rice",   "one pot", "make ahead",  "freezer", "picnic",       "Italian",
    "Indian",     "Nordic", "French",  "Soup",        "classic"};

constexpr std::array sentences{
    "Heat the oil in a heavy pan over a medium flame until it shimmers.",
    "Add the onions and a pinch of salt and let them soften without colour.",
    "Stir in the spices and cook for a minute until they smell toasted.",
    "Pour in the liquid, bring to a simmer and cover with a lid.",
    "Leave it to bubble gently, stirring now and then so nothing catches.",
    "Taste, season with salt and pepper, and adjust the acidity with lemon.",
    "Meanwhile preheat the oven and butter a deep dish generously.",
    "Fold everything together with a light hand and spread it out evenly.",
    "Bake until golden on top and bubbling at the edges, then let it rest.",
    "Serve warm with bread, or cool completely and keep it in the fridge.",
    "This keeps well for three days and tastes even better the next day.",
    "Do not rush this step: the slow cooking is where the flavour comes from."};

template<typename Pool>
const char* pick(CookbookRandom& random, const Pool& pool)
{
    return pool[std::size_t(random.below(int(pool.size())))];
}

QByteArray ingredientName(CookbookRandom& random)
{
    // 24 × 56 names with an adjective and 56 without: some hundreds in all,
    // the plain ones more frequent, as in real collections.
    QByteArray name;
    if (random.below(3) != 0)
        name = QByteArray(pick(random, adjectives)) + ' ';
    return name + pick(random, bases);
}

// A dish named after its main ingredient ("Smoked paprika Soup"), some of
// them in numbered variants.
QByteArray dishTitle(CookbookRandom& random, const QByteArray& mainIngredient, int index)
{
    QByteArray title = mainIngredient + ' ' + pick(random, dishes);
    title[0] = char(QChar::toUpper(uint(title[0])));
    if (random.below(4) == 0)
        title += " " + QByteArray::number(index % 97); // variants of one dish
    return title;
}

QByteArray recipeText(int index)
{
    CookbookRandom random(std::uint64_t(index) + 1);
    QByteArray text;
    text.reserve(2048);
    const QByteArray mainIngredient = ingredientName(random);
    text += "# " + dishTitle(random, mainIngredient, index) + "\n\n";
    for (int i = 0, n = 1 + random.below(2); i < n; ++i)
        text += QByteArray(pick(random, sentences)) + ' ';
    text += "\n\n### Ingredients\n\n";
    text += " * " + QByteArray(pick(random, amounts)) + ' ' + pick(random, units) + ' ' +
            mainIngredient + '\n';
    for (int i = 0, n = 5 + random.below(10); i < n; ++i) {
        text += random.below(2) ? " * " : "- ";
        text += QByteArray(pick(random, amounts)) + ' ' + pick(random, units) + ' ' +
                ingredientName(random);
        if (random.below(4) == 0)
            text += QByteArray(", ") + pick(random, comments);
        text += '\n';
    }
    for (int i = 0, n = random.below(3); i < n; ++i)
        text += QByteArray(" * ") + pick(random, bareBullets) + '\n';
    text += "\n### Directions\n\n";
    int step = 1;
    while (text.size() < 1250) {
        text += QByteArray::number(step++) + ". ";
        for (int i = 0, n = 1 + random.below(3); i < n; ++i)
            text += QByteArray(pick(random, sentences)) + ' ';
        text += "\n\n";
    }
    text += "### Metadata\n\ntags: ";
    for (int i = 0, n = 1 + random.below(5); i < n; ++i)
        text += (i ? ", " : "") + QByteArray(pick(random, tagPool));
    text += "\nauthor: Cook " + QByteArray::number(random.below(40)) + '\n';
    text += "time: " + QByteArray::number(1 + random.below(3)) + ':' +
            QByteArray::number(10 + random.below(50)) + '\n';
    text += "servings: " + QByteArray::number(2 + random.below(6)) + '\n';
    if (index % 9 == 0) // saved on another system
        text.replace("\n", "\r\n");
    return text;
}

QByteArray heavyRecipeText(int index)
{
    CookbookRandom random(std::uint64_t(index) + 7);
    QByteArray text;
    text.reserve(2048);
    const QByteArray mainIngredient = ingredientName(random);
    text += "# " + dishTitle(random, mainIngredient, index) + "\n\n" + pick(random, sentences) +
            "\n\n### Ingredients\n\n";
    text += " * " + QByteArray(pick(random, amounts)) + ' ' + pick(random, units) + ' ' +
            mainIngredient + '\n';
    for (int i = 1; i < 10; ++i) {
        text += random.below(2) ? " * " : "- ";
        text += QByteArray(pick(random, amounts)) + ' ' + pick(random, units) + ' ' +
                ingredientName(random);
        if (random.below(4) == 0)
            text += QByteArray(", ") + pick(random, comments);
        text += '\n';
    }
    text += "\n### Directions\n\n";
    for (int step = 1; step <= 10; ++step) {
        text += QByteArray::number(step) + ". " + pick(random, sentences);
        if (random.below(2) == 0)
            text += QByteArray(" ") + pick(random, sentences);
        text += '\n';
    }
    text += "\n### Metadata\n\ntags: ";
    for (int i = 0, n = 1 + random.below(5); i < n; ++i)
        text += (i ? ", " : "") + QByteArray(pick(random, tagPool));
    text += "\nauthor: Cook " + QByteArray::number(random.below(40)) + '\n';
    text += "servings: " + QByteArray::number(2 + random.below(6)) + '\n';
    if (index % 9 == 0)
        text.replace("\n", "\r\n");
    return text;
}

// Folders two or three levels deep with about a hundred recipes each:
// "cuisine-07/course-3/..." and, for every fourth, one level more.
QString recipeFolder(int index)
{
    const int folder = index / 100;
    QString path = QStringLiteral("cuisine-%1/course-%2")
                       .arg(folder / 8, 2, 10, QLatin1Char('0'))
                       .arg(folder % 8);
    if (folder % 4 == 3)
        path += QStringLiteral("/more");
    return path;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

QString commonIngredient()
{
    return QStringLiteral("smoked paprika");
}

QStringList stockedPantryLines()
{
    QStringList lines;
    for (std::size_t at = 0; at < bases.size(); ++at) {
        const QString base = QString::fromLatin1(bases[at]);
        lines << (at % 3 == 0 ? QStringLiteral("500 g ") + base : base);
        if (at % 4 != 0)
            continue;
        for (const char* adjective : adjectives)
            lines << QString::fromLatin1(adjective) + QLatin1Char(' ') + base;
    }
    return lines;
}

bool writeCookbook(const QString& root, int count, CookbookProfile profile)
{
    QString currentFolder;
    for (int index = 0; index < count; ++index) {
        const QString folder = root + QLatin1Char('/') + recipeFolder(index);
        if (folder != currentFolder) {
            currentFolder = folder;
            if (!QDir().mkpath(folder))
                return false;
            // Notes beside the recipes that the scan must pass over.
            if (!writeBytes(folder + QStringLiteral("/notes.md"),
                            "# Notes\n\nShopping list: smoked paprika, flour, eggs.\n"))
                return false;
        }
        if (!writeBytes(
                folder + QStringLiteral("/recipe-%1.recipe.md").arg(index, 6, 10, QLatin1Char('0')),
                profile == CookbookProfile::Heavy ? heavyRecipeText(index) : recipeText(index)))
            return false;
    }
    return true;
}
