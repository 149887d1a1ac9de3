#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// Which recipes list which ingredients, by the names people write
// ("2 Knoblauchzehen", "2 garlic cloves", "白蘑菇 200 克" give "Knoblauchzehen",
// "garlic", "白蘑菇"). Names equal but for case are one entry under the first
// spelling met. Built by the scan, read-only once finished.
class IngredientNameIndex
{
public:
    // Adds one recipe with the names of its ingredients; a name it lists twice
    // counts once.
    void add(const QString& path, const QStringList& names);
    // The same, with each name given by numberOf(): for names that repeat
    // from recipe to recipe, looked up once.
    void addNumbered(const QString& path, const std::vector<qsizetype>& numbers);
    // The entry of `name`, made if it is new; valid until finish().
    qsizetype numberOf(const QString& name);
    // The index as it stood before finish(): the recipes added, the names in
    // the order first met and the positions of each name's recipes; in place
    // of the adds, on an empty index.
    void restore(QStringList paths, QStringList names, std::vector<std::vector<int>> recipesOfName);
    // Orders the names without regard to case; call once, after the last add.
    void finish();

    qsizetype size() const { return m_names.size(); }
    // The names, in order after finish().
    const QStringList& names() const { return m_names; }
    // The recipes that list the name at `index`, in the order they were added.
    QStringList pathsOf(qsizetype index) const;
    // The recipes added, in order; recipesOf() gives positions in this list.
    const QStringList& paths() const { return m_paths; }
    // Positions in paths() of the recipes that list the name at `index`.
    const std::vector<int>& recipesOf(qsizetype index) const
    {
        return m_recipesOfName[std::size_t(index)];
    }

private:
    void file(int recipe, qsizetype number);

    QStringList m_paths;
    QStringList m_names;
    std::vector<std::vector<int>> m_recipesOfName; // positions in m_paths
    QHash<QString, qsizetype> m_nameOfKey;         // case-folded name; emptied by finish()
    QHash<QString, qsizetype> m_nameOfSpelling;    // as written; emptied by finish()
};
