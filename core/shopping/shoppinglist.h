#pragma once

#include "shopping/shoppingentry.h"
#include "shopping/shoppingitem.h"

#include <QList>
#include <QSet>
#include <QString>

// Recipes chosen for shopping, each scaled to the amount wanted, and their
// ingredients merged by name with the amounts added up. Ticks remember what
// is at hand by ingredient name.
class ShoppingList
{
public:
    int size() const { return int(m_entries.size()); }
    const ShoppingEntry& entry(int row) const { return m_entries.at(row); }
    bool contains(const QString& path) const;

    // Adds a recipe at its own servings, or at ×1.
    void add(const ShoppingRecipe& recipe);
    // Adds an entry as it was kept; a second entry of one path is dropped.
    void restore(const ShoppingEntry& entry);
    void removeAt(int row);
    void clear();
    // Clamped to the allowed range.
    void setWantedServings(int row, int servings);
    void setFactorHalves(int row, int halves);

    // Reads the recipe at `path` again, if it is on the list; returns whether
    // it is. A recipe that has gone keeps its last title.
    bool reread(const QString& path);
    void rereadAll();

    QList<ShoppingItem> items() const;
    void setTicked(const QString& key, bool ticked);
    QSet<QString> ticked() const { return m_ticked; }
    void setTickedKeys(const QSet<QString>& keys) { m_ticked = keys; }

    // One line per row: "- [ ] 1¼ kg plain flour", ticked rows "- [x] ...".
    QString toMarkdown() const;

    // A summed amount as the rows show it: "1¼ kg", "1½ cups".
    static QString quantityText(const ShoppingQuantity& quantity);

    // The key under which names are merged.
    static QString nameKey(const QString& name);

private:
    void forgetTicksNotShown();

    QList<ShoppingEntry> m_entries;
    QSet<QString> m_ticked;
};
