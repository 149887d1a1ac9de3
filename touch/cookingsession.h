#pragma once

#include "cooking/cookingclock.h"
#include "cooking/cookingrecipe.h"
#include "quantity/fraction.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

class CookingTimers;
class QFileSystemWatcher;
class ScreenSaverInhibitor;
class TimerNotifier;

// What the cooking page shows of a recipe: one step at a time with its
// ingredients at the servings wanted, the spans of time to start timers from,
// and the running timers. Keeps the screen awake while `awake` is set and
// reads the recipe again when its file changes, keeping the step, the
// servings and the timers.
class CookingSession : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY recipeChanged)
    Q_PROPERTY(QString title READ title NOTIFY recipeChanged)
    Q_PROPERTY(bool hasServings READ hasServings NOTIFY recipeChanged)
    // Servings (1 to 99) when the recipe names them, otherwise the factor in
    // halves (1 to 40: ×½ to ×20).
    Q_PROPERTY(int wanted READ wanted WRITE setWanted NOTIFY contentChanged)
    Q_PROPERTY(QString wantedText READ wantedText NOTIFY contentChanged)
    Q_PROPERTY(int stepCount READ stepCount NOTIFY recipeChanged)
    Q_PROPERTY(int currentStep READ currentStep WRITE setCurrentStep NOTIFY contentChanged)
    Q_PROPERTY(QStringList ingredients READ ingredients NOTIFY contentChanged)
    Q_PROPERTY(bool awake READ awake WRITE setAwake NOTIFY awakeChanged)
    Q_PROPERTY(QVariantList timers READ timers NOTIFY timersChanged)
    // Counts the changes of what the steps show (servings, step, file), so
    // that bindings that call the step functions are evaluated again.
    Q_PROPERTY(int revision READ revision NOTIFY contentChanged)

public:
    explicit CookingSession(QObject* parent = nullptr);
    // With the timers' clock and the session bus given, as tests give them.
    CookingSession(std::unique_ptr<CookingClock> clock, const QDBusConnection& bus,
                   QObject* parent = nullptr);
    ~CookingSession() override;

    QString path() const { return m_recipe.path(); }
    void setPath(const QString& path);
    QString title() const { return m_recipe.title(); }
    bool hasServings() const { return m_recipe.servings() > 0; }
    int wanted() const { return m_wanted; }
    void setWanted(int wanted);
    QString wantedText() const;
    int stepCount() const { return int(m_recipe.steps().size()); }
    int currentStep() const { return m_step; }
    void setCurrentStep(int step);
    QStringList ingredients() const;
    bool awake() const { return m_awake; }
    void setAwake(bool awake);
    // One map per timer: id, name, left ("4:59"), running, ended.
    QVariantList timers() const;
    int revision() const { return m_revision; }

    // The text of a step at the servings wanted, its section and its
    // ingredients; its spans of time as maps of text and seconds.
    Q_INVOKABLE QString stepText(int step) const;
    Q_INVOKABLE QString stepSection(int step) const;
    Q_INVOKABLE QStringList stepIngredients(int step) const;
    Q_INVOKABLE QVariantList stepDurations(int step) const;

    Q_INVOKABLE int startTimer(int step, int duration);
    Q_INVOKABLE void pauseTimer(int id);
    Q_INVOKABLE void resumeTimer(int id);
    Q_INVOKABLE void cancelTimer(int id);
    // Ends the timers whose time is up now (the page's tick does the same).
    Q_INVOKABLE void checkTimers();

    CookingTimers* timerList() const { return m_timers.get(); }

signals:
    void recipeChanged();
    void contentChanged();
    void awakeChanged();
    void timersChanged();
    void timerEnded(const QString& name);

private:
    void reload();
    void announceNewRecipe();
    Fraction factor() const;
    void watch();

    CookingRecipe m_recipe;
    int m_step = 0;
    int m_revision = 0;
    int m_wanted = 2;
    bool m_awake = false;
    bool m_announcing = false;
    std::unique_ptr<CookingTimers> m_timers;
    std::unique_ptr<ScreenSaverInhibitor> m_inhibitor;
    std::unique_ptr<TimerNotifier> m_notifier;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
