#pragma once

#include "planning/mealplanfile.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QAbstractItemModel;
class MealPlanDaysModel;
class ShoppingListSession;
class WatchedTextFile;

// The week's meals as both programs show them: seven days from a chosen day,
// each with its entries, kept in the cookbook's "meal-plan.md" so that a plan
// made on one device shows on every other. The file is read again when it
// changes on disk and before every change; only the entry changed is
// written anew. Where the folder cannot be written or the file cannot be
// read, the plan is kept in the program's settings and that is said once.
//
// Days are ISO dates ("2026-12-14"); an entry is named by its day and its
// place among that day's entries as shown.
class MealPlanSession : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString collectionPath READ collectionPath WRITE setCollectionPath NOTIFY
                   collectionPathChanged)
    Q_PROPERTY(QAbstractItemModel* days READ daysModel CONSTANT)
    Q_PROPERTY(QDate weekStart READ weekStart WRITE setWeekStart NOTIFY weekChanged)
    Q_PROPERTY(QString weekTitle READ weekTitle NOTIFY weekChanged)
    Q_PROPERTY(QString today READ todayText NOTIFY weekChanged)
    Q_PROPERTY(bool keptInFile READ keptInFile NOTIFY planChanged)
public:
    static constexpr int shownDays = 7;

    explicit MealPlanSession(QObject* parent = nullptr);
    ~MealPlanSession() override;

    QString collectionPath() const { return m_folder; }
    void setCollectionPath(const QString& folder);
    MealPlanDaysModel* days() const { return m_days.get(); }
    QAbstractItemModel* daysModel() const;
    QDate weekStart() const { return m_weekStart; }
    void setWeekStart(const QDate& day);
    QString weekTitle() const;
    QDate today() const { return m_today; }
    QString todayText() const { return m_today.toString(Qt::ISODate); }
    // Fixes the day taken for today, as tests need; an invalid date follows
    // the clock again.
    void setToday(const QDate& day);
    bool keptInFile() const { return m_inFile; }
    // Every entry of the plan, the days in date order.
    QList<PlannedMeal> meals() const { return m_plan.meals(); }
    QString filePath() const;

    Q_INVOKABLE void showEarlierWeek();
    Q_INVOKABLE void showLaterWeek();
    Q_INVOKABLE void showThisWeek();

    // Plans the recipe at `path` on `day`, for `servings` when more than 0.
    Q_INVOKABLE bool planRecipe(const QString& path, const QString& day, int servings = 0);
    Q_INVOKABLE void removeEntry(const QString& day, int index);
    Q_INVOKABLE void moveEntry(const QString& day, int index, const QString& toDay);
    // 0 servings: the recipe as it is written.
    Q_INVOKABLE void setServings(const QString& day, int index, int servings);
    // How many days before today the file holds (what was eaten), and
    // removing them with all their lines, which only the user asks for.
    Q_INVOKABLE int pastDays() const;
    Q_INVOKABLE void clearPastDays();
    // Puts the recipes of the shown days on `list`, each with the servings
    // planned (summed over the days); returns what to tell the user.
    Q_INVOKABLE QString addShownDaysToShoppingList(ShoppingListSession* list);

    // Reads the file again when it differs from what was last read or
    // written; true when the plan was replaced.
    bool readFileIfChanged();

    static QString fallbackMessage()
    {
        return QStringLiteral("The meal plan is kept on this computer only: %1");
    }

signals:
    void collectionPathChanged();
    void weekChanged();
    void planChanged();
    // Said once: why the plan is kept in the settings.
    void message(const QString& text);

private:
    void change(const std::function<bool(MealPlanFile&)>& apply);
    // The entry shown at `index` of `day`, to find again in the plan as read
    // at the change; a meal of no day when there is none.
    struct ShownEntry
    {
        PlannedMeal meal;
        int index = -1;
    };
    ShownEntry shownEntry(const QDate& day, int index) const;
    static int locate(const MealPlanFile& plan, const ShownEntry& shown);
    void openFile();
    void takeText(const QString& text);
    void keepInSettings(const QString& reason, bool keepCurrent);
    void loadSettings();
    void save();
    void followClock();
    void refresh();

    std::unique_ptr<WatchedTextFile> m_file;
    std::unique_ptr<MealPlanDaysModel> m_days;
    QString m_folder;
    QString m_text; // the plan as last read or written
    MealPlanFile m_plan;
    bool m_inFile = false;
    bool m_told = false;
    QDate m_weekStart;
    QDate m_today;
    bool m_todayFixed = false;
    QTimer m_clock;
};
