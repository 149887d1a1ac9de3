#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class MealPlanSession;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class ShoppingListSession;

// The meal plan (MealPlanSession) laid out: seven days from the shown one,
// today's marked, each with its entries; buttons to the weeks before and
// after, to change or remove the chosen entry and to put the shown days on
// the shopping list. Titles dropped from the title list are planned on the
// day they land on; entries dragged onto another day move there.
class MealPlanPane : public QWidget
{
    Q_OBJECT
public:
    struct PlannedDay
    {
        QDate day; // invalid: cancelled
        int servings = 0;
    };
    // Asks on which day to cook the recipe titled so.
    using DayQuestion = std::function<PlannedDay(const QString& title)>;
    // Asks whether to remove that many past days from the plan.
    using ClearQuestion = std::function<bool(int days)>;

    explicit MealPlanPane(QWidget* parent = nullptr);
    ~MealPlanPane() override;

    MealPlanSession* session() const { return planSession.get(); }
    void setShoppingList(ShoppingListSession* list);
    void setDayQuestion(DayQuestion question);
    void setClearQuestion(ClearQuestion question);

    // Plans the recipe at `path` on the day the user chooses.
    void planRecipe(const QString& path);
    // Plans the recipes on `day` (as a drop from the title list does).
    void dropRecipes(const QStringList& paths, const QDate& day);
    // The chosen entry moves to `day`, gets `servings`, goes away.
    void moveCurrentEntry(const QDate& day);
    void setCurrentServings(int servings);
    void removeCurrentEntry();
    void addShownDaysToShoppingList();
    void clearPastDays();

signals:
    void fileSelected(const QString& path);
    void notifySimple(const QString& msg);

public slots:
    void setCollectionPath(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildViews();
    void connectSession();
    void showDays();
    void showCurrentEntry();
    void showEntryMenu(const QPoint& at);
    void openEntry(QTreeWidgetItem* item);
    bool dropOnDay(class QDropEvent* event);
    QDate dayOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* currentEntry() const;

    std::unique_ptr<MealPlanSession> planSession;
    ShoppingListSession* shoppingList = nullptr; // the shopping list pane's
    DayQuestion askForDay;
    ClearQuestion askToClear;
    QLabel* weekLabel = nullptr; // children through the layout
    QTreeWidget* daysView = nullptr;
    QSpinBox* servingsBox = nullptr;
    QPushButton* removeButton = nullptr;
};
