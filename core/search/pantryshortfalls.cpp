#include "search/pantryshortfalls.h"

#include "collection/ingredientnameindex.h"
#include "pantry/pantrystock.h"

PantryShortfalls::PantryShortfalls(const IngredientNameIndex& listed, const PantryStock& stock,
                                   const QHash<QString, int>& positionOf, int recipeCount)
    : m_names(listed.names())
    , m_shortfalls(std::size_t(qMax(recipeCount, 0)))
{
    // The index numbers its recipes in its own order; the answer is wanted in
    // the collection's.
    std::vector<int> positions;
    positions.reserve(std::size_t(listed.paths().size()));
    for (const QString& path : listed.paths()) {
        const int position = positionOf.value(path, -1);
        positions.push_back(position >= 0 && position < recipeCount ? position : -1);
    }
    countListed(listed, positions);
    countLacking(listed, stock, positions);
}

void PantryShortfalls::countListed(const IngredientNameIndex& listed,
                                   const std::vector<int>& positions)
{
    for (qsizetype name = 0; name < listed.size(); ++name) {
        for (const int recipe : listed.recipesOf(name)) {
            if (const int position = positions[std::size_t(recipe)]; position >= 0)
                ++m_shortfalls[std::size_t(position)].listed;
        }
    }
}

void PantryShortfalls::countLacking(const IngredientNameIndex& listed, const PantryStock& stock,
                                    const std::vector<int>& positions)
{
    for (qsizetype name = 0; name < listed.size(); ++name) {
        if (stock.covers(listed.names().at(name)))
            continue;
        for (const int recipe : listed.recipesOf(name)) {
            const int position = positions[std::size_t(recipe)];
            if (position < 0)
                continue;
            Shortfall& shortfall = m_shortfalls[std::size_t(position)];
            if (shortfall.lacking == 0)
                shortfall.first = int(name);
            else if (shortfall.lacking == 1)
                shortfall.second = int(name);
            ++shortfall.lacking;
        }
    }
}

bool PantryShortfalls::listsIngredients(int position) const
{
    return position >= 0 && std::size_t(position) < m_shortfalls.size() &&
           m_shortfalls[std::size_t(position)].listed > 0;
}

int PantryShortfalls::lacking(int position) const
{
    if (position < 0 || std::size_t(position) >= m_shortfalls.size())
        return 0;
    return m_shortfalls[std::size_t(position)].lacking;
}

QStringList PantryShortfalls::lackingNames(int position) const
{
    QStringList names;
    if (position < 0 || std::size_t(position) >= m_shortfalls.size())
        return names;
    const Shortfall& shortfall = m_shortfalls[std::size_t(position)];
    for (const int name : {shortfall.first, shortfall.second}) {
        if (name >= 0)
            names.append(m_names.at(name));
    }
    return names;
}
