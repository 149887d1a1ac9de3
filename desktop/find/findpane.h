#pragma once

#include <QWidget>

#include <memory>

class ChosenNamesEdit;
class CookingJournal;
class IngredientNameIndex;
class PantrySession;
class QLabel;
class QLineEdit;
class QModelIndex;
class QStandardItemModel;
class QTreeView;
class QVBoxLayout;
class RecipeSearch;
class Scanner;

// The Find pane: a text field, the ingredients and tags chosen, "From my
// pantry", the cooking journal's filters (favourites, not cooked for a month,
// last cooked first), what the search says and the recipes it found, over a RecipeSearch. A click
// or Enter on a row announces the recipe's path. While the pane is hidden the search reads nothing
// ahead of a question.
class FindPane : public QWidget
{
    Q_OBJECT
public:
    explicit FindPane(QWidget* parent = nullptr);
    ~FindPane() override;

    // Follows the scanner's publications.
    void setScanner(Scanner* scanner);
    // The collection's indexes; empty pointers while there is none.
    void setModels(std::shared_ptr<QStandardItemModel> titleModel,
                   std::shared_ptr<QStandardItemModel> ingredientModel,
                   std::shared_ptr<QStandardItemModel> tagModel,
                   std::shared_ptr<const IngredientNameIndex> listedIngredients = {});
    RecipeSearch* search() const { return m_search.get(); }
    // The journal whose favourites, days and order the switches follow.
    void setJournal(CookingJournal* journal);
    // The pantry "From my pantry" cooks from.
    void setPantry(PantrySession* pantry);

public slots:
    // Puts the keyboard focus in the text field, its text selected.
    void focusText();

signals:
    void fileSelected(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void addPantrySwitch(QVBoxLayout* layout);
    void addJournalSwitches(QVBoxLayout* layout);
    void connectWidgets();
    void announce(const QModelIndex& index);

    std::unique_ptr<RecipeSearch> m_search;
    QLineEdit* m_text = nullptr;              // child widget
    ChosenNamesEdit* m_ingredients = nullptr; // child widget
    ChosenNamesEdit* m_tags = nullptr;        // child widget
    QLabel* m_count = nullptr;                // child widget
    QTreeView* m_view = nullptr;              // child widget
};
