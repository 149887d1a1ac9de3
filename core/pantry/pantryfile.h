#pragma once

#include "recipe/ingredientreading.h"

#include <QList>
#include <QString>
#include <QStringList>

// One item of the pantry: the text after its bullet, and how it reads.
struct PantryItem
{
    QString text;
    IngredientReading reading;
};

// The pantry as a Markdown file at the cookbook's root that people edit by
// hand as well:
//
//   # Pantry
//
//   - 2 kg flour
//   - rice
//
// Every bullet that names an ingredient is an item; an item without an amount
// means "enough". Every other line (headings, prose, blank lines, bullets that
// name nothing) is written back as it stands, and an item is rewritten only
// when it changed.
class PantryFile
{
public:
    static constexpr qint64 sizeLimit = qint64(1024) * 1024;

    static QString fileName() { return QStringLiteral("pantry.md"); }

    static PantryFile parse(const QString& text);
    // A file of nothing but these items, as the settings keep them.
    static PantryFile fromItems(const QStringList& texts);

    const QList<PantryItem>& items() const { return m_items; }
    QStringList itemTexts() const;
    QList<IngredientReading> readings() const;
    // The item written so, without regard to case and blanks; -1 if none.
    int indexOf(const QString& text) const;

    void setItemText(int index, const QString& text);
    void removeItem(int index);
    void appendItem(const QString& text);

    QString toText() const;

private:
    QStringList m_lines;       // as read, without line ends
    QList<PantryItem> m_items; // in file order, then the appended ones
    QList<int> m_itemLines;    // the line of each item; -1 for an appended one
    QList<bool> m_itemChanged; // whether an item is written anew
    QStringList m_bullets;     // each item's bullet and indent as written ("- ")
    bool m_crlf = false;
};

// The pantry of the cookbook at `cookbookFolder`: every item of its
// "pantry.md", none where there is no such file or it cannot be read.
QList<IngredientReading> readPantry(const QString& cookbookFolder);
