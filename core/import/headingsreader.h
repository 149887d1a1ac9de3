#pragma once

#include "import/htmltree.h"
#include "import/importedrecipe.h"

// The last resort for pages without structured data: a heading named like an
// ingredients section followed by a list, and one named like a directions
// section followed by a list or paragraphs.
class HeadingsReader
{
public:
    // A recipe with the given title, or one without a title when the page
    // has no ingredients heading followed by a list.
    static ImportedRecipe read(HtmlTree::Node* root, const QString& title);

private:
    enum class Kind { Heading, Item, Paragraph };
    struct Block
    {
        Kind kind;
        QString text;
        QStringList lines; // of a list item: its lines, fields spaced apart
        int level = 0;     // 1 to 6 for h1 to h6, 7 for a term of a definition list
    };
    // The page's headings, list items and paragraphs in document order.
    static QList<Block> blocks(HtmlTree::Node* root);
};
