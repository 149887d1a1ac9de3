#pragma once

#include "shopping/shoppingitem.h"
#include "shopping/shoppinglist.h"
#include "shopping/shoppinglistfile.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class WatchedTextFile;

// The one shopping list of a program, kept as "shopping-list.md" at the root
// of the collection so that every device that carries the cookbook shares
// it. The file is read again whenever it changes on disk and, when it
// changed since it was last read, before every write, so that nothing
// another device wrote meanwhile is lost. Where the folder cannot be
// written or the file cannot be read as text, the file is left alone and the
// list is kept in the program's own settings instead.
//
// Every change names what it changes (a recipe by path, a row by its text),
// so that it still means the same after the list was read again.
class ShoppingListStore : public QObject
{
    Q_OBJECT
public:
    explicit ShoppingListStore(QObject* parent = nullptr);
    ~ShoppingListStore() override;

    // Where the list is kept from now on: the file in `folder`, or the
    // settings when there is no folder or its file cannot be used.
    void setCollectionPath(const QString& folder);
    QString collectionPath() const { return m_folder; }
    // The file's path while the list is kept in it; empty otherwise.
    QString filePath() const;
    bool keptInFile() const { return m_inFile; }

    const ShoppingList& list() const { return m_list; }
    // The merged rows of the recipes, then the rows written by hand.
    QList<ShoppingItem> items() const { return m_list.items(); }
    const QList<ShoppingFileRow>& handRows() const { return m_handRows; }
    // The whole list as a Markdown checklist.
    QString toMarkdown() const;

    // False when the recipe is on the list already.
    bool addRecipe(const ShoppingRecipe& recipe);
    void removeRecipe(const QString& path);
    // Recipes, ticks and hand rows.
    void clear();
    void setWantedServings(const QString& path, int servings);
    void setFactorHalves(const QString& path, int halves);
    void setTicked(const QString& key, bool ticked);
    // False for a blank text or a row that is there already.
    bool addHandRow(const QString& text);
    void removeHandRow(const QString& text);
    void setHandRowTicked(const QString& text, bool ticked);
    // Reads listed recipes again; the file is written when its rows change.
    void reread(const QString& path);
    void rereadAll();

    // Reads the file again when it differs from what was last read or
    // written; true when the list was replaced.
    bool readFileIfChanged();

    static QString fallbackMessage()
    {
        return QStringLiteral("The shopping list is kept on this computer only: %1");
    }

signals:
    // The list was replaced as a whole: read from disk or from the settings.
    void replaced();
    // Anything on the list changed, including a replacement.
    void changed();
    // Said once: why the list is kept in the settings.
    void message(const QString& text);

private:
    void change(const std::function<bool()>& apply);
    void takeFile(const QString& text);
    void moveSettingsIntoFile();
    void keepInSettings(const QString& reason, bool keepCurrent);
    void loadSettings();
    void save();
    bool writeFile();
    void onDiskChange();
    int handRowIndex(const QString& text) const;

    ShoppingList m_list;
    QList<ShoppingFileRow> m_handRows;
    QString m_folder;
    bool m_inFile = false;
    bool m_told = false;
    // The text last read, whose lines other than ours are written back.
    QString m_knownText;
    std::unique_ptr<WatchedTextFile> m_file;
};
