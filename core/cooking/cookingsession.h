#pragma once

#include "cooking/cookingclock.h"
#include "cooking/cookingrecipe.h"
#include "quantity/fraction.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

class CookingTimers;
class QFileSystemWatcher;
class ScreenAwakeKeeper;
class TimerAnnouncer;

// Cooking from a recipe, whatever shows it: one step at a time with its
// ingredients at the servings wanted, the spans of time to start timers from,
// and the running timers. Keeps the screen awake while `awake` is set,
// announces the timers that end, and reads the recipe again when its file
// changes, keeping the step, the servings and the timers.
class CookingSession : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY recipeChanged)
    Q_PROPERTY(QString title READ title NOTIFY recipeChanged)
    Q_PROPERTY(bool hasServings READ hasServings NOTIFY recipeChanged)
    // Servings when the recipe names them, otherwise the factor in halves;
    // within minWanted and maxWanted (the limits of RecipeServings).
    Q_PROPERTY(int wanted READ wanted WRITE setWanted NOTIFY contentChanged)
    Q_PROPERTY(int minWanted READ minWanted NOTIFY recipeChanged)
    Q_PROPERTY(int maxWanted READ maxWanted NOTIFY recipeChanged)
    Q_PROPERTY(QString wantedText READ wantedText NOTIFY contentChanged)
    Q_PROPERTY(int stepCount READ stepCount NOTIFY recipeChanged)
    Q_PROPERTY(int currentStep READ currentStep WRITE setCurrentStep NOTIFY contentChanged)
    Q_PROPERTY(bool hasPreviousStep READ hasPreviousStep NOTIFY contentChanged)
    Q_PROPERTY(bool hasNextStep READ hasNextStep NOTIFY contentChanged)
    Q_PROPERTY(QStringList ingredients READ ingredients NOTIFY contentChanged)
    // The ingredients with the recipe's sub-headings among them: one map per
    // row, text and heading (true for a sub-heading, which has nothing to tick).
    Q_PROPERTY(QVariantList ingredientRows READ ingredientRows NOTIFY contentChanged)
    // What the recipe says after its steps (notes, tips, nutrition): one map
    // per paragraph or item, section (its heading) and text; shown after the
    // last step.
    Q_PROPERTY(QVariantList notes READ notes NOTIFY recipeChanged)
    Q_PROPERTY(bool awake READ awake WRITE setAwake NOTIFY awakeChanged)
    Q_PROPERTY(QVariantList timers READ timers NOTIFY timersChanged)
    // Counts the changes of what the steps show (servings, step, file), so
    // that bindings that call the step functions are evaluated again.
    Q_PROPERTY(int revision READ revision NOTIFY contentChanged)

public:
    // Timers on the system's monotonic clock; neither screen nor announcer.
    explicit CookingSession(QObject* parent = nullptr);
    // Any of the three may be null: the monotonic clock is used, the screen
    // is left to sleep, ended timers are only signalled.
    CookingSession(std::unique_ptr<CookingClock> clock,
                   std::unique_ptr<ScreenAwakeKeeper> awakeKeeper,
                   std::unique_ptr<TimerAnnouncer> announcer, QObject* parent = nullptr);
    ~CookingSession() override;

    QString path() const { return m_recipe.path(); }
    // Shows the recipe from its first step at its own servings; running
    // timers keep running.
    void setPath(const QString& path);
    const CookingRecipe& recipe() const { return m_recipe; }
    QString title() const { return m_recipe.title(); }
    bool hasServings() const { return m_recipe.servings() > 0; }
    int wanted() const { return m_wanted; }
    void setWanted(int wanted);
    int minWanted() const;
    int maxWanted() const;
    QString wantedText() const { return wantedTextFor(m_wanted); }
    // "1 serving", "3 servings", or a factor "×1½".
    Q_INVOKABLE QString wantedTextFor(int wanted) const;
    Fraction factor() const;
    int stepCount() const { return int(m_recipe.steps().size()); }
    int currentStep() const { return m_step; }
    void setCurrentStep(int step);
    bool hasPreviousStep() const { return m_step > 0; }
    bool hasNextStep() const { return m_step + 1 < stepCount(); }
    QStringList ingredients() const;
    QVariantList ingredientRows() const;
    QVariantList notes() const;
    bool awake() const { return m_awake; }
    void setAwake(bool awake);
    // One map per timer: id, name, left ("4:59"), running, ended.
    QVariantList timers() const;
    int revision() const { return m_revision; }
    CookingTimers* timerList() const { return m_timers.get(); }

    // The text of a step at the servings wanted, its section and its
    // ingredients; its spans of time as maps of text and seconds.
    Q_INVOKABLE QString stepText(int step) const;
    Q_INVOKABLE QString stepSection(int step) const;
    Q_INVOKABLE QStringList stepIngredients(int step) const;
    Q_INVOKABLE QVariantList stepDurations(int step) const;

    Q_INVOKABLE void nextStep() { setCurrentStep(m_step + 1); }
    Q_INVOKABLE void previousStep() { setCurrentStep(m_step - 1); }

    // Starts a timer for span `duration` of step `step`: its id, or 0.
    Q_INVOKABLE int startTimer(int step, int duration);
    Q_INVOKABLE void pauseTimer(int id);
    Q_INVOKABLE void resumeTimer(int id);
    // Pauses a running timer, resumes a paused one.
    Q_INVOKABLE void pauseOrResumeTimer(int id);
    // Cancels a timer, or dismisses one that has ended.
    Q_INVOKABLE void cancelTimer(int id);
    // Ends the timers whose time is up now (the timers' tick does the same).
    Q_INVOKABLE void checkTimers();

public slots:
    // Reads the recipe's file again.
    void reload();

signals:
    void recipeChanged();
    void contentChanged();
    void awakeChanged();
    void timersChanged();
    void timerEnded(const QString& name, int id);

private:
    void connectTimers();
    void announceNewRecipe();
    void watch();

    CookingRecipe m_recipe;
    int m_step = 0;
    int m_revision = 0;
    int m_wanted = 0;
    bool m_awake = false;
    bool m_announcing = false;
    std::unique_ptr<CookingTimers> m_timers;
    std::unique_ptr<ScreenAwakeKeeper> m_awakeKeeper;
    std::unique_ptr<TimerAnnouncer> m_announcer;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
