#pragma once

#include <QString>

// A Markdown link to a recipe, as the cookbook's own files (the shopping list,
// the cooking journal) write them: relative to the folder of the file that
// holds the link, blanks and brackets percent-encoded so that Markdown readers
// follow it, other letters as they are. Reading takes any percent-encoding.
class RecipeLink
{
public:
    // A link to `path` from `folder`.
    static QString linkTo(const QString& folder, const QString& path);
    // The absolute path a link in `folder` names.
    static QString pathOf(const QString& folder, const QString& link);
    // Whether a link, once decoded, names a recipe file.
    static bool namesRecipe(const QString& link);
    // A title as link text: one line, its brackets and backslashes escaped.
    static QString escapedTitle(QString title);
    // Link text as a title again.
    static QString unescapedTitle(QString text);
};
