#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A recipe as the list file names it: a link relative to the file, its title
// as the link text, and the amount wanted.
struct ShoppingFileRecipe
{
    QString path;         // absolute
    QString title;        // the link text
    int servings = 0;     // "4 servings"; 0 when not given
    int factorHalves = 0; // "×1½" is 3; 0 when not given
};

// A row of the "To buy" section: its text after the check box, and the tick.
struct ShoppingFileRow
{
    QString text;
    bool ticked = false;
};

// The shopping list as a Markdown file that people and other programs read,
// tick and add to:
//
//   # Shopping list
//
//   ## Recipes
//
//   - [Roasted Tomato Soup](Soups/roasted-tomato-soup.recipe.md) ×2
//
//   ## To buy
//
//   - [ ] 2 kg ripe tomatoes
//   - [x] toilet paper
//
// Only the list items of the two sections are ours. Every other line (other
// headings, prose, other bullets, a "Recipes" bullet that is no recipe link)
// is written back as it stands; blank lines inside the two sections are laid
// out anew around the lists.
class ShoppingListFile
{
public:
    static constexpr qint64 sizeLimit = qint64(1024) * 1024;

    static QString fileName() { return QStringLiteral("shopping-list.md"); }

    // Reads a file's text; links are resolved against `folder`, the folder of
    // the file.
    static ShoppingListFile parse(const QString& text, const QString& folder);

    // The text with the two sections' lists made of `recipes` and `rows`.
    QString toText(const QString& folder) const;

    // A link to `path` from `folder`, written so that Markdown readers follow
    // it: blanks and brackets percent-encoded, other letters as they are.
    static QString linkTo(const QString& folder, const QString& path);
    static QString pathOf(const QString& folder, const QString& link);

    // "×1½" for 3 halves, "4 servings", "1 serving".
    static QString amountText(const ShoppingFileRecipe& recipe);

    QList<ShoppingFileRecipe> recipes;
    QList<ShoppingFileRow> rows;

private:
    enum class Section { None, Recipes, Rows };

    QStringList sectionLines(int heading, Section section, const QString& folder) const;
    QStringList generatedLines(Section section, const QString& folder) const;
    int sectionEnd(int heading) const;
    bool isItem(int line, Section section) const;

    QStringList m_lines; // as read, without line ends
    int m_recipesHeading = -1;
    int m_rowsHeading = -1;
    bool m_crlf = false;
};
