#include "pantry/pantrystock.h"

#include "pantry/pantrystaples.h"
#include "text/nameforms.h"

PantryStock::PantryStock(const QList<IngredientReading>& items)
    : m_items(items)
{
    for (int i = 0; i < m_items.size(); ++i) {
        const QString folded = NameForms::foldedName(m_items.at(i).name);
        if (folded.isEmpty())
            continue;
        m_itemsOfName[folded].append(i);
        for (const QString& variant : NameForms::variants(folded))
            m_itemsOfName[variant].append(i);
    }
}

QList<IngredientReading> PantryStock::itemsNamed(const QString& name) const
{
    QList<IngredientReading> found;
    const auto positions = m_itemsOfName.constFind(NameForms::foldedName(name));
    if (positions == m_itemsOfName.constEnd())
        return found;
    for (const int i : *positions)
        found.append(m_items.at(i));
    return found;
}

bool PantryStock::covers(const QString& name) const
{
    return m_itemsOfName.contains(NameForms::foldedName(name)) || PantryStaples::isStaple(name);
}
