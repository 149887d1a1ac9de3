#include "collection/ingredientnameindex.h"

#include <algorithm>
#include <numeric>

void IngredientNameIndex::add(const QString& path, const QStringList& names)
{
    const int recipe = int(m_paths.size());
    m_paths.append(path);
    for (const QString& name : names)
        file(recipe, numberOf(name));
}

void IngredientNameIndex::addNumbered(const QString& path, const std::vector<qsizetype>& numbers)
{
    const int recipe = int(m_paths.size());
    m_paths.append(path);
    for (const qsizetype number : numbers)
        file(recipe, number);
}

void IngredientNameIndex::file(int recipe, qsizetype number)
{
    std::vector<int>& recipes = m_recipesOfName[std::size_t(number)];
    // Recipes come one after the other, so a repeat is the last entry.
    if (recipes.empty() || recipes.back() != recipe)
        recipes.push_back(recipe);
}

qsizetype IngredientNameIndex::numberOf(const QString& name)
{
    // Most names come again spelt alike, and are found without folding them.
    const auto spelt = m_nameOfSpelling.constFind(name);
    if (spelt != m_nameOfSpelling.constEnd())
        return *spelt;
    const QString key = name.toCaseFolded();
    auto found = m_nameOfKey.constFind(key);
    if (found == m_nameOfKey.constEnd()) {
        found = m_nameOfKey.insert(key, m_names.size());
        m_names.append(name);
        m_recipesOfName.emplace_back();
    }
    m_nameOfSpelling.insert(name, *found);
    return *found;
}

void IngredientNameIndex::restore(QStringList paths, QStringList names,
                                  std::vector<std::vector<int>> recipesOfName)
{
    m_paths = std::move(paths);
    m_names = std::move(names);
    m_recipesOfName = std::move(recipesOfName);
}

void IngredientNameIndex::finish()
{
    m_nameOfKey = {};
    m_nameOfSpelling = {};
    std::vector<qsizetype> order(std::size_t(m_names.size()));
    std::iota(order.begin(), order.end(), 0);
    QStringList folded;
    folded.reserve(m_names.size());
    for (const QString& name : std::as_const(m_names))
        folded.append(name.toCaseFolded());
    std::stable_sort(order.begin(), order.end(),
                     [&folded](qsizetype a, qsizetype b) { return folded.at(a) < folded.at(b); });
    QStringList names;
    names.reserve(m_names.size());
    std::vector<std::vector<int>> recipes;
    recipes.reserve(order.size());
    for (const qsizetype index : order) {
        names.append(m_names.at(index));
        recipes.push_back(std::move(m_recipesOfName[std::size_t(index)]));
    }
    m_names = std::move(names);
    m_recipesOfName = std::move(recipes);
}

QStringList IngredientNameIndex::pathsOf(qsizetype index) const
{
    QStringList paths;
    if (index < 0 || index >= m_names.size())
        return paths;
    const std::vector<int>& recipes = m_recipesOfName[std::size_t(index)];
    paths.reserve(qsizetype(recipes.size()));
    for (const int recipe : recipes)
        paths.append(m_paths.at(recipe));
    return paths;
}
