#pragma once

#include "collection/scanner.h"
#include "planning/journalfilter.h"
#include "search/findresultsmodel.h"
#include "search/recipefinder.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

class IngredientNameIndex;
class PantrySession;
class QAbstractItemModel;
class QStandardItemModel;

// Finds recipes by their whole text and by several ingredients and tags at
// once. Every condition must hold: each typed word must begin a word
// somewhere in the recipe's file, without regard to case or accents; each
// chosen ingredient must begin a word of one of the names the recipes list;
// each chosen tag must be one of the recipe's tags. With two or more chosen
// ingredients the recipes lacking just one of them follow, marked with what
// they lack. From the pantry, the recipes it holds every listed ingredient
// of (staples aside) come first, then those it lacks one, then two of, each
// marked with what it lacks.
//
// It follows the scanner's publications and keeps what the user typed and
// chose; the finder answers on a thread of its own, and builds its text index
// there ahead of the first question while the search is shown (otherwise when
// first asked).
class RecipeSearch : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Scanner* scanner READ scanner WRITE setScanner NOTIFY scannerChanged)
    Q_PROPERTY(bool shown READ isShown WRITE setShown NOTIFY shownChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QStringList ingredients READ ingredients NOTIFY ingredientsChanged)
    Q_PROPERTY(QStringList tags READ tags NOTIFY tagsChanged)
    Q_PROPERTY(QAbstractItemModel* results READ results CONSTANT)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    // What the cooking journal adds: favourites, not cooked lately, ordering.
    Q_PROPERTY(JournalFilter* journalFilter READ journalFilter CONSTANT)
    // What can be cooked with what is at hand; the pantry followed as it
    // changes.
    Q_PROPERTY(PantrySession* pantry READ pantry WRITE setPantry NOTIFY pantryChanged)
    Q_PROPERTY(bool fromPantry READ fromPantry WRITE setFromPantry NOTIFY fromPantryChanged)
    Q_MOC_INCLUDE("pantry/pantrysession.h")
public:
    explicit RecipeSearch(QObject* parent = nullptr);
    ~RecipeSearch() override;

    // Follows the scanner's publications; none for null.
    Scanner* scanner() const { return m_scanner; }
    void setScanner(Scanner* scanner);
    // The collection's indexes, as a publication gives them; empty pointers
    // while there is none. Ingredients are offered and matched by the names
    // the recipes list, or by the ingredient index where there are none.
    void setModels(std::shared_ptr<QStandardItemModel> titleModel,
                   std::shared_ptr<QStandardItemModel> ingredientModel,
                   std::shared_ptr<QStandardItemModel> tagModel,
                   std::shared_ptr<const IngredientNameIndex> listedIngredients = {});

    bool isShown() const { return m_shown; }
    void setShown(bool shown);

    // Searched once typing pauses, or at once by findNow().
    QString text() const { return m_text; }
    void setText(const QString& text);
    QStringList ingredients() const { return m_ingredients; }
    QStringList tags() const { return m_tags; }
    QAbstractItemModel* results() const { return m_results.get(); }
    FindResultsModel* resultsModel() const { return m_results.get(); }
    QString status() const { return m_status; }
    JournalFilter* journalFilter() const { return m_journalFilter.get(); }
    PantrySession* pantry() const;
    void setPantry(PantrySession* pantry);
    bool fromPantry() const { return m_fromPantry; }
    void setFromPantry(bool fromPantry);

    // Names the collection lists that a word of them begins with `typed`,
    // without regard to case and accents; at most `limit`, none already
    // chosen, names equal but for case once. Only offered: what is chosen is
    // what the user gives.
    Q_INVOKABLE QStringList ingredientSuggestions(const QString& typed, int limit = 8) const;
    Q_INVOKABLE QStringList tagSuggestions(const QString& typed, int limit = 8) const;
    // Chooses what was typed (or the suggestion picked), as it is: an
    // ingredient finds every recipe listing a name a word of which it begins.
    Q_INVOKABLE void chooseIngredient(const QString& typed);
    Q_INVOKABLE void dropIngredient(const QString& name);
    Q_INVOKABLE void chooseTag(const QString& typed);
    Q_INVOKABLE void dropTag(const QString& name);
    // Searches the text now rather than when typing pauses (Enter).
    Q_INVOKABLE void findNow();

signals:
    void scannerChanged();
    void shownChanged();
    void textChanged();
    void ingredientsChanged();
    void tagsChanged();
    void statusChanged();
    void pantryChanged();
    void fromPantryChanged();
    // The results and status now answer the current conditions.
    void answered();

private:
    struct Names
    {
        QStringList names;
        QStringList folded;
    };

    void takePublication();
    void refreshCollection();
    void search();
    bool hasConditions() const;
    bool hasTextConditions() const;
    void showJournalChoice();
    QList<RecipeFinder::Choice> ingredientChoices();
    QList<RecipeFinder::Choice> tagChoices();
    std::shared_ptr<const RecipeFinder::Pantry> pantryAsked();
    void pantryEdited();
    void showResult(const RecipeFinder::Result& result);
    void showRows(QList<FindResultsModel::Row> rows, QString status);
    void showWaiting();
    void setStatus(const QString& status);
    static Names namesOf(const QStringList& names);
    static QStringList suggestionsOf(const Names& names, const QStringList& chosen,
                                     const QString& typed, int limit);
    static bool choose(QStringList& chosen, const QString& typed);
    void ingredientsEdited();
    void tagsEdited();

    QPointer<Scanner> m_scanner;
    std::shared_ptr<QStandardItemModel> m_titleModel;
    std::shared_ptr<QStandardItemModel> m_ingredientModel;
    std::shared_ptr<QStandardItemModel> m_tagModel;
    std::shared_ptr<const IngredientNameIndex> m_listedIngredients;
    Names m_ingredientNames;
    Names m_tagNames;
    bool m_collectionStale = false;
    bool m_shown = true;

    QString m_text;
    QStringList m_ingredients;
    QStringList m_tags;
    // The recipes each chosen name matches, worked out once per choice and
    // publication rather than on every keystroke.
    std::optional<QList<RecipeFinder::Choice>> m_ingredientChoices;
    std::optional<QList<RecipeFinder::Choice>> m_tagChoices;
    QPointer<PantrySession> m_pantry;
    bool m_fromPantry = false;
    // What the pantry holds, as last asked of the finder: the same one until
    // the pantry or the collection changes, so that the finder reuses its
    // reckoning.
    std::shared_ptr<const RecipeFinder::Pantry> m_pantryAsked;
    QString m_status;
    std::uint64_t m_expectedResult = 0;
    QTimer m_typingPause;

    std::unique_ptr<FindResultsModel> m_results;
    std::unique_ptr<JournalFilter> m_journalFilter;
    // Last, so that it stops its thread before the rest goes.
    std::unique_ptr<RecipeFinder> m_finder;
};
