#pragma once

#include "import/htmltree.h"
#include "import/importedrecipe.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads the recipes of a web page: schema.org JSON-LD in its script blocks,
// else microdata (its ingredients from the headings when it names none), else
// a recipe plugin's markup, else a script framework's JSON state, else the
// headings of an ingredients and a directions section; then tidies them
// (ImportCleanup) with the names the page gives its site. A page saved "complete" keeps its
// pictures in a folder beside it; the recipe's picture is taken from there when the page shows it.
class HtmlRecipeReader
{
public:
    // `pagePath` is where the page was saved, empty for a page that comes
    // from the clipboard (no pictures are then looked for).
    static QList<ImportedRecipe> read(const QByteArray& html, const QString& pagePath = QString());

private:
    static QList<ImportedRecipe> fromJsonLd(HtmlTree::Node* root);
    static QList<ImportedRecipe> fromMicrodata(HtmlTree::Node* root);
    static QStringList siteNames(HtmlTree::Node* root);
    static QString metaContent(HtmlTree::Node* root, const QString& property);
    static QString pageTitle(HtmlTree::Node* root);
    static QString pageAddress(HtmlTree::Node* root);
    // The local file a saved page shows for `address` (matched by file name
    // among the page's own img sources), inside the page's folder; empty
    // when there is none.
    static QString localPicture(HtmlTree::Node* root, const QString& pagePath,
                                const QString& address);
    static void attachPicture(ImportedRecipe& recipe, HtmlTree::Node* root,
                              const QString& pagePath);
};
