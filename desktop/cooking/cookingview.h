#pragma once

#include "cooking/cookingclock.h"
#include "cooking/cookingrecipe.h"
#include "quantity/fraction.h"

#include <QDBusConnection>
#include <QWidget>

#include <memory>

class CookingTimers;
class QComboBox;
class QFileSystemWatcher;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;
class ScreenSaverInhibitor;
class TimerNotifier;

// A recipe to cook from, in a window of its own: one step at a time in large
// type with the ingredients it names at the servings wanted, the spans of
// time in the step as buttons that start timers, and the running timers in a
// strip along the bottom. Keeps the screen awake while it is open and reads
// the recipe again when its file changes, keeping the step, the servings and
// the timers.
class CookingView : public QWidget
{
    Q_OBJECT

public:
    // Without a clock the timers run on the system's monotonic clock.
    explicit CookingView(QWidget* parent = nullptr, std::unique_ptr<CookingClock> clock = nullptr,
                         const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~CookingView() override;

    // Shows another recipe from its first step at its own servings; running
    // timers keep running.
    void openRecipe(const QString& path);

    const CookingRecipe& recipe() const { return m_recipe; }
    int currentStep() const { return m_step; }
    Fraction factor() const;
    CookingTimers* timers() const { return m_timers.get(); }

public slots:
    void nextStep();
    void previousStep();
    void showStep(int step);
    // Reads the recipe's file again.
    void reload();

signals:
    // A timer ran out and the view rang for it.
    void timerRang(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The steps of construction.
    void buildHeader();
    void buildBody();
    void buildFooter();
    void connectTimers();

    void readRecipe(const QString& path);
    void setUpServings();
    void showIngredients();
    void showStepIngredients();
    void showTimerButtons();
    void rebuildTimerStrip();
    void updateTimesLeft();
    void ring(int id, const QString& name);
    void flash();
    void watch(const QString& path);
    void scaleType();
    bool handleSwipe(QEvent* event);

    CookingRecipe m_recipe;
    int m_step = 0;
    int m_wheelDelta = 0;
    int m_flashesLeft = 0;
    QList<int> m_ringing;
    std::unique_ptr<CookingTimers> m_timers;
    std::unique_ptr<ScreenSaverInhibitor> m_inhibitor;
    std::unique_ptr<TimerNotifier> m_notifier;
    std::unique_ptr<QFileSystemWatcher> m_watcher;

    // Widgets, owned by the view through their layouts.
    QLabel* m_title = nullptr;
    QSpinBox* m_servings = nullptr;
    QComboBox* m_factors = nullptr;
    QListWidget* m_ingredients = nullptr;
    QLabel* m_section = nullptr;
    QLabel* m_stepCount = nullptr;
    QLabel* m_stepText = nullptr;
    QListWidget* m_stepIngredients = nullptr;
    QWidget* m_timerButtons = nullptr;
    QHBoxLayout* m_timerButtonsLayout = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QWidget* m_timerStrip = nullptr;
    QHBoxLayout* m_timerStripLayout = nullptr;
    QTimer* m_flashTimer = nullptr;
};
