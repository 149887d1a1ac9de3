#pragma once

#include "cooking/cookingclock.h"
#include "cooking/cookingrecipe.h"

#include <QDBusConnection>
#include <QWidget>

#include <memory>

class CookedItPanel;
class CookingJournal;
class CookingSession;
class CookingTimers;
class QComboBox;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class TickSizeStyle;

// A recipe to cook from, in a window of its own, over a cooking session: one
// step at a time in large type with the ingredients it names at the servings
// wanted, the spans of time in the step as buttons that start timers, the
// recipe's notes after its last step, and the running timers in rows above
// Previous and Next. A long step scrolls; the timers wrap into rows as wide as
// the window, so no amount of text or timers makes it wider than the screen.
// The session keeps the screen awake while the view is open and follows the
// recipe's file.
class CookingView : public QWidget
{
    Q_OBJECT

public:
    // Without a clock the timers run on the system's monotonic clock; the
    // screen saver and the notifications are reached on `bus`.
    explicit CookingView(QWidget* parent = nullptr, std::unique_ptr<CookingClock> clock = nullptr,
                         const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~CookingView() override;

    // Shows another recipe from its first step at its own servings; running
    // timers keep running.
    void openRecipe(const QString& path);
    // Cooks `path` full screen in the one cooking view of `owner`, a window
    // of its own that `owner` owns, made when there is none; the recipe
    // already cooking stays on its step.
    static CookingView* cookIn(QWidget* owner, const QString& path);

    CookingSession* session() const { return m_session; }
    // Where "Cooked it" after the last step writes; none hides it.
    void setJournal(CookingJournal* journal);
    const CookingRecipe& recipe() const;
    int currentStep() const;
    CookingTimers* timers() const;

public slots:
    void nextStep();
    void previousStep();
    void showStep(int step);

signals:
    // A timer ran out and the view rang for it.
    void timerRang(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The steps of construction.
    void buildHeader();
    void buildBody();
    void buildFooter();
    void connectSession();

    void showRecipe();
    void setUpServings();
    void showWanted();
    void showIngredients();
    void showCurrentStep();
    void showStepIngredients();
    void showTimerButtons();
    void showNotes();
    void showCookedIt();
    void rebuildTimerStrip();
    QFrame* makeTimerFrame(const QVariantMap& timer);
    int timerColumns() const;
    void fitTimerStrip();
    void updateTimesLeft();
    void ring(const QString& name);
    void flash();
    void scaleType();
    bool handleSwipe(QEvent* event);

    CookingSession* m_session = nullptr;
    int m_wheelDelta = 0;
    int m_flashesLeft = 0;

    // Widgets, owned by the view through their layouts.
    QLabel* m_title = nullptr;
    QSpinBox* m_servings = nullptr;
    QComboBox* m_factors = nullptr;
    QListWidget* m_ingredients = nullptr;
    QLabel* m_section = nullptr;
    QLabel* m_stepCount = nullptr;
    QScrollArea* m_stepScroll = nullptr;
    QLabel* m_stepText = nullptr;
    QListWidget* m_stepIngredients = nullptr;
    QLabel* m_notes = nullptr;
    CookedItPanel* m_cookedIt = nullptr;
    QWidget* m_timerButtons = nullptr;
    QGridLayout* m_timerButtonsLayout = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QScrollArea* m_timerStrip = nullptr;
    QGridLayout* m_timerStripLayout = nullptr;
    int m_shownTimerColumns = 0;
    QTimer* m_flashTimer = nullptr;
    TickSizeStyle* m_tickStyle = nullptr;
};
