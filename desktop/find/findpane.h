#pragma once

#include "search/recipefinder.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class ChosenNamesEdit;
class IngredientNameIndex;
class FindResultsModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;
class QTimer;
class QTreeView;
class Scanner;

// Finds recipes by their whole text and by several ingredients and tags at
// once. Every condition must hold: each typed word must begin a word
// somewhere in the recipe's file, without regard to case or accents; each
// chosen ingredient must begin a word of one of the recipe's ingredient
// names; each chosen tag must be one of its tags. With two or more chosen
// ingredients the recipes lacking just one of them follow, marked with what
// they lack. A click or Enter on a row announces the recipe's path.
//
// The pane follows the scanner's publications and keeps what the user typed
// and chose; the text index behind it is built off the GUI thread, the first
// time it is needed after each publication.
class FindPane : public QWidget
{
    Q_OBJECT
public:
    explicit FindPane(QWidget* parent = nullptr);
    ~FindPane() override;

    // Takes the scanner's models after each of its publications.
    void setScanner(Scanner* scanner);
    // The collection's indexes; empty pointers while there is none.
    // Ingredients are offered and matched by the names the recipes list
    // (`listedIngredients`), or by the ingredient index where there are none.
    void setModels(std::shared_ptr<QStandardItemModel> titleModel,
                   std::shared_ptr<QStandardItemModel> ingredientModel,
                   std::shared_ptr<QStandardItemModel> tagModel,
                   std::shared_ptr<const IngredientNameIndex> listedIngredients = {});

public slots:
    // Puts the keyboard focus in the text field, its text selected.
    void focusText();

signals:
    void fileSelected(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void connectWidgets();
    bool hasConditions() const;
    void refreshCollection();
    void search();
    QList<RecipeFinder::Choice> ingredientChoices();
    QList<RecipeFinder::Choice> tagChoices();
    void showResult(const RecipeFinder::Result& result);
    void showWaiting();
    void announce(const QModelIndex& index);

    std::shared_ptr<QStandardItemModel> m_titleModel;
    std::shared_ptr<QStandardItemModel> m_ingredientModel;
    std::shared_ptr<QStandardItemModel> m_tagModel;
    std::shared_ptr<const IngredientNameIndex> m_listedIngredients;
    // The ingredient names of the current index, folded, in row order.
    QStringList m_foldedIngredients;
    bool m_collectionStale = false;
    // The recipes each chosen name matches, worked out once per choice and
    // publication rather than on every keystroke.
    std::optional<QList<RecipeFinder::Choice>> m_ingredientChoices;
    std::optional<QList<RecipeFinder::Choice>> m_tagChoices;
    std::uint64_t m_expectedResult = 0;

    std::unique_ptr<FindResultsModel> m_results;
    std::unique_ptr<RecipeFinder> m_finder;
    QLineEdit* m_text = nullptr;              // child widget
    ChosenNamesEdit* m_ingredients = nullptr; // child widget
    ChosenNamesEdit* m_tags = nullptr;        // child widget
    QLabel* m_count = nullptr;                // child widget
    QTreeView* m_view = nullptr;              // child widget
    QTimer* m_typingPause = nullptr;          // child object
};
