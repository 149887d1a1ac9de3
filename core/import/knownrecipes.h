#pragma once

#include "import/importedrecipe.h"

#include <QHash>
#include <QMultiHash>
#include <QString>
#include <QStringList>

// The recipes a cookbook already holds, as an import asks about them: is the
// recipe read from a page already there, by the address it came from or by
// its title and ingredient lines? Built from what the scan publishes (the
// title and the source of every recipe, by path); only the few files whose
// title matches are read, to compare their ingredient lines. Recipes written
// since the scan are added by path. The index is made on the first question,
// on the thread that asks it.
class KnownRecipes
{
public:
    KnownRecipes() = default;
    KnownRecipes(QHash<QString, QString> titlesByPath, QHash<QString, QString> sourcesByPath);

    // The recipe file `recipe` repeats, or an empty string when it is new.
    QString find(const ImportedRecipe& recipe);
    // A recipe file written after the scan.
    void addFile(const QString& path);

    // An address as compared: without scheme, "www.", fragment, trailing
    // slash and case in the host ("https://www.Example.org/a/#top" and
    // "http://example.org/a" are one page).
    static QString sourceKey(const QString& address);

private:
    void index();
    void indexAdded(const QString& path);
    void indexRecipe(const QString& path, const QString& title, const QString& source);
    static QString titleKey(const QString& title);
    static QStringList ingredientKeys(const QStringList& lines);
    static bool sameIngredients(const QString& path, const QStringList& keys);

    QHash<QString, QString> m_titlesByPath;
    QHash<QString, QString> m_sourcesByPath;
    QStringList m_added;
    bool m_indexed = false;
    QMultiHash<QString, QString> m_pathsByTitle;
    QHash<QString, QString> m_pathsBySource;
};
