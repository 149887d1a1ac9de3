#include "cooking/cookingview.h"

#include "cooking/cookingtimers.h"
#include "cooking/screensaverinhibitor.h"
#include "cooking/timernotifier.h"
#include "quantity/kitchenunits.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGestureEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSwipeGesture>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int minServings = 1;
constexpr int maxServings = 99;
constexpr int maxFactorHalves = 40; // ×20
constexpr int wheelNotch = 120;
constexpr int flashIntervalMs = 400;
constexpr int flashCount = 24;

// The type grows with the window: a line of step text is about a
// twenty-fifth of the window's height, never smaller than ordinary type.
constexpr int linesPerHeight = 25;
constexpr int smallestPixelSize = 14;

QString ingredientText(const IngredientReading& ingredient, const Fraction& factor)
{
    QString amount;
    if (ingredient.amount.isNumber())
        amount = KitchenUnits::formatAmount(ingredient.amount.scaled(factor), ingredient.unit);
    else if (ingredient.amount.isText())
        amount = ingredient.amount.text();
    const QString line =
        amount.isEmpty() ? ingredient.name : amount + QLatin1Char(' ') + ingredient.name;
    return ingredient.note.isEmpty() ? line : line + QStringLiteral(", ") + ingredient.note;
}

QPushButton* makeButton(const QString& icon, const QString& text, const char* objectName)
{
    auto* button = new QPushButton(QIcon::fromTheme(icon), text);
    button->setObjectName(QLatin1String(objectName));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CookingView::CookingView(QWidget* parent, std::unique_ptr<CookingClock> clock,
                         const QDBusConnection& bus)
    : QWidget(parent, Qt::Window)
    , m_timers(std::make_unique<CookingTimers>(std::move(clock)))
    , m_inhibitor(std::make_unique<ScreenSaverInhibitor>(bus))
    , m_notifier(std::make_unique<TimerNotifier>(bus))
    , m_watcher(std::make_unique<QFileSystemWatcher>())
{
    setObjectName(QStringLiteral("cookingView"));
    setFocusPolicy(Qt::StrongFocus);
    grabGesture(Qt::SwipeGesture);
    setLayout(new QVBoxLayout);
    buildHeader();
    buildBody();
    buildFooter();
    connectTimers();
    connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this, &CookingView::reload);
}

CookingView::~CookingView() = default;

void CookingView::buildHeader()
{
    auto* header = new QHBoxLayout;
    m_title = new QLabel;
    m_title->setObjectName(QStringLiteral("cookingTitle"));
    m_title->setWordWrap(true);
    header->addWidget(m_title, 1);
    m_servings = new QSpinBox;
    m_servings->setRange(minServings, maxServings);
    m_servings->setSuffix(QStringLiteral(" servings"));
    m_servings->setFocusPolicy(Qt::ClickFocus);
    m_factors = new QComboBox;
    m_factors->setFocusPolicy(Qt::ClickFocus);
    for (int halves = 1; halves <= maxFactorHalves; ++halves)
        m_factors->addItem(QStringLiteral("×") + Fraction(halves, 2).toDisplayString(), halves);
    header->addWidget(m_servings);
    header->addWidget(m_factors);
    auto rescale = [this] {
        showIngredients();
        showStep(m_step);
    };
    connect(m_servings, &QSpinBox::valueChanged, this, rescale);
    connect(m_factors, &QComboBox::currentIndexChanged, this, rescale);
    static_cast<QVBoxLayout*>(this->layout())->addLayout(header);
}

void CookingView::buildBody()
{
    auto* body = new QHBoxLayout;
    m_ingredients = new QListWidget;
    m_ingredients->setObjectName(QStringLiteral("cookingIngredients"));
    m_ingredients->setFocusPolicy(Qt::NoFocus);
    body->addWidget(m_ingredients, 1);

    auto* stepColumn = new QVBoxLayout;
    m_section = new QLabel;
    m_section->setObjectName(QStringLiteral("cookingSection"));
    m_stepCount = new QLabel;
    m_stepCount->setObjectName(QStringLiteral("cookingStepCount"));
    m_stepText = new QLabel;
    m_stepText->setObjectName(QStringLiteral("cookingStep"));
    m_stepText->setWordWrap(true);
    m_stepText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stepText->setTextFormat(Qt::PlainText);
    m_stepIngredients = new QListWidget;
    m_stepIngredients->setObjectName(QStringLiteral("cookingStepIngredients"));
    m_stepIngredients->setFocusPolicy(Qt::NoFocus);
    m_stepIngredients->setMaximumHeight(QWIDGETSIZE_MAX);
    m_timerButtons = new QWidget;
    m_timerButtons->setObjectName(QStringLiteral("cookingTimerButtons"));
    m_timerButtonsLayout = new QHBoxLayout(m_timerButtons);
    m_timerButtonsLayout->setContentsMargins(0, 0, 0, 0);
    stepColumn->addWidget(m_section);
    stepColumn->addWidget(m_stepCount);
    stepColumn->addWidget(m_stepText, 3);
    stepColumn->addWidget(m_timerButtons);
    stepColumn->addWidget(m_stepIngredients, 1);
    body->addLayout(stepColumn, 2);
    static_cast<QVBoxLayout*>(layout())->addLayout(body, 1);
}

void CookingView::buildFooter()
{
    auto* footer = new QHBoxLayout;
    m_previous =
        makeButton(QStringLiteral("go-previous"), QStringLiteral("Previous"), "cookingPrevious");
    m_next = makeButton(QStringLiteral("go-next"), QStringLiteral("Next"), "cookingNext");
    connect(m_previous, &QPushButton::clicked, this, &CookingView::previousStep);
    connect(m_next, &QPushButton::clicked, this, &CookingView::nextStep);
    m_timerStrip = new QWidget;
    m_timerStrip->setObjectName(QStringLiteral("cookingTimers"));
    m_timerStripLayout = new QHBoxLayout(m_timerStrip);
    m_timerStripLayout->setContentsMargins(0, 0, 0, 0);
    m_timerStrip->hide();
    footer->addWidget(m_previous);
    footer->addWidget(m_timerStrip, 1);
    footer->addWidget(m_next);
    static_cast<QVBoxLayout*>(layout())->addLayout(footer);
}

void CookingView::connectTimers()
{
    m_flashTimer = new QTimer(this);
    m_flashTimer->setInterval(flashIntervalMs);
    connect(m_flashTimer, &QTimer::timeout, this, &CookingView::flash);
    connect(m_timers.get(), &CookingTimers::timersChanged, this, &CookingView::rebuildTimerStrip);
    connect(m_timers.get(), &CookingTimers::ticked, this, &CookingView::updateTimesLeft);
    connect(m_timers.get(), &CookingTimers::timerEnded, this, &CookingView::ring);
}

void CookingView::openRecipe(const QString& path)
{
    readRecipe(path);
    setUpServings();
    showIngredients();
    showStep(0);
    watch(path);
}

Fraction CookingView::factor() const
{
    if (m_recipe.servings() > 0)
        return Fraction(m_servings->value(), m_recipe.servings());
    return Fraction(m_factors->currentData().toInt(), 2);
}

void CookingView::readRecipe(const QString& path)
{
    m_recipe = CookingRecipe::read(path);
    m_title->setText(m_recipe.title());
    setWindowTitle(m_recipe.title());
}

// Servings from 1 to 99 when the recipe names them, otherwise a factor.
void CookingView::setUpServings()
{
    const bool servings = m_recipe.servings() > 0;
    const QSignalBlocker servingsBlocker(m_servings);
    const QSignalBlocker factorsBlocker(m_factors);
    m_servings->setVisible(servings);
    m_factors->setVisible(!servings);
    m_servings->setObjectName(servings ? QStringLiteral("cookingServings") : QString());
    m_factors->setObjectName(servings ? QString() : QStringLiteral("cookingServings"));
    if (servings)
        m_servings->setValue(m_recipe.servings());
    else
        m_factors->setCurrentIndex(m_factors->findData(2));
}

void CookingView::showIngredients()
{
    const QList<IngredientReading> ingredients = m_recipe.ingredients();
    // Ticks stay as they were where the rows are the same.
    QList<Qt::CheckState> ticks;
    for (int row = 0; row < m_ingredients->count(); ++row)
        ticks.append(m_ingredients->item(row)->checkState());
    m_ingredients->clear();
    for (int row = 0; row < ingredients.size(); ++row) {
        auto* item = new QListWidgetItem(ingredientText(ingredients[row], factor()));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(row < ticks.size() ? ticks[row] : Qt::Unchecked);
        m_ingredients->addItem(item);
    }
}

void CookingView::nextStep()
{
    showStep(m_step + 1);
}

void CookingView::previousStep()
{
    showStep(m_step - 1);
}

void CookingView::showStep(int step)
{
    const int count = int(m_recipe.steps().size());
    m_step = std::clamp(step, 0, std::max(count - 1, 0));
    m_previous->setEnabled(m_step > 0);
    m_next->setEnabled(m_step + 1 < count);
    if (count == 0) {
        m_section->clear();
        m_stepCount->clear();
        m_stepText->setText(QStringLiteral("This recipe has no steps."));
        m_stepIngredients->clear();
        showTimerButtons();
        return;
    }
    const CookingStep& current = m_recipe.steps().at(m_step);
    m_section->setText(current.section);
    m_section->setVisible(!current.section.isEmpty());
    m_stepCount->setText(QStringLiteral("Step %1 of %2").arg(m_step + 1).arg(count));
    m_stepText->setText(m_recipe.stepText(m_step, factor()));
    showStepIngredients();
    showTimerButtons();
}

void CookingView::showStepIngredients()
{
    m_stepIngredients->clear();
    if (m_recipe.steps().isEmpty())
        return;
    const QList<IngredientReading> ingredients = m_recipe.ingredients();
    for (int row : m_recipe.steps().at(m_step).ingredients)
        m_stepIngredients->addItem(ingredientText(ingredients.at(row), factor()));
    m_stepIngredients->setVisible(m_stepIngredients->count() > 0);
}

void CookingView::showTimerButtons()
{
    while (QLayoutItem* item = m_timerButtonsLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (m_recipe.steps().isEmpty())
        return;
    const CookingStep& current = m_recipe.steps().at(m_step);
    for (const StepDuration& duration : current.durations) {
        const QString span = current.text.mid(duration.position, duration.length);
        QPushButton* button = makeButton(QStringLiteral("chronometer"), span, "cookingTimerButton");
        const qint64 lengthMs = duration.lowSeconds * 1000;
        connect(button, &QPushButton::clicked, this, [this, span, lengthMs] {
            m_timers->start(m_recipe.title() + QStringLiteral(": ") + span, lengthMs);
        });
        m_timerButtonsLayout->addWidget(button);
    }
    m_timerButtonsLayout->addStretch(1);
}

void CookingView::rebuildTimerStrip()
{
    while (QLayoutItem* item = m_timerStripLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<int> ids = m_timers->ids();
    for (int id : ids) {
        auto* frame = new QFrame;
        frame->setObjectName(QStringLiteral("cookingTimer"));
        frame->setProperty("timerId", id);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setAutoFillBackground(true);
        auto* row = new QHBoxLayout(frame);
        auto* name = new QLabel(m_timers->name(id));
        auto* left = new QLabel(CookingTimers::formatLeft(m_timers->leftMs(id)));
        left->setObjectName(QStringLiteral("cookingTimerLeft"));
        row->addWidget(name);
        row->addWidget(left);
        if (!m_timers->hasEnded(id)) {
            const bool running = m_timers->isRunning(id);
            auto* pause = new QToolButton;
            pause->setObjectName(QStringLiteral("cookingTimerPause"));
            pause->setText(running ? QStringLiteral("Pause") : QStringLiteral("Resume"));
            pause->setIcon(QIcon::fromTheme(running ? QStringLiteral("media-playback-pause")
                                                    : QStringLiteral("media-playback-start")));
            pause->setFocusPolicy(Qt::NoFocus);
            connect(pause, &QToolButton::clicked, this, [this, id] {
                if (m_timers->isRunning(id))
                    m_timers->pause(id);
                else
                    m_timers->resume(id);
            });
            row->addWidget(pause);
        }
        auto* cancel = new QToolButton;
        cancel->setObjectName(QStringLiteral("cookingTimerCancel"));
        cancel->setText(m_timers->hasEnded(id) ? QStringLiteral("Dismiss")
                                               : QStringLiteral("Cancel"));
        cancel->setIcon(QIcon::fromTheme(QStringLiteral("dialog-cancel")));
        cancel->setFocusPolicy(Qt::NoFocus);
        connect(cancel, &QToolButton::clicked, this, [this, id] {
            m_ringing.removeAll(id);
            m_timers->cancel(id);
        });
        row->addWidget(cancel);
        m_timerStripLayout->addWidget(frame);
    }
    m_timerStripLayout->addStretch(1);
    m_timerStrip->setVisible(!ids.isEmpty());
}

void CookingView::updateTimesLeft()
{
    const QList<QFrame*> frames =
        m_timerStrip->findChildren<QFrame*>(QStringLiteral("cookingTimer"));
    for (QFrame* frame : frames) {
        const int id = frame->property("timerId").toInt();
        if (auto* left = frame->findChild<QLabel*>(QStringLiteral("cookingTimerLeft")))
            left->setText(CookingTimers::formatLeft(m_timers->leftMs(id)));
    }
}

// A timer that ends rings three ways: the desktop's notification with its
// sound, the timer flashing in the strip, and the window asking for attention.
void CookingView::ring(int id, const QString& name)
{
    m_ringing.append(id);
    m_notifier->notify(name, QStringLiteral("Time is up"));
    m_flashesLeft = flashCount;
    m_flashTimer->start();
    QApplication::alert(this);
    emit timerRang(name);
}

void CookingView::flash()
{
    const bool on = m_flashesLeft % 2 == 0;
    const QList<QFrame*> frames =
        m_timerStrip->findChildren<QFrame*>(QStringLiteral("cookingTimer"));
    for (QFrame* frame : frames) {
        if (!m_ringing.contains(frame->property("timerId").toInt()))
            continue;
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, on ? palette.color(QPalette::Highlight)
                                              : QApplication::palette().color(QPalette::Window));
        frame->setPalette(palette);
    }
    if (--m_flashesLeft <= 0)
        m_flashTimer->stop();
}

void CookingView::reload()
{
    const QString path = m_recipe.path();
    const int step = m_step;
    const bool hadServings = m_recipe.servings() > 0;
    readRecipe(path);
    if (hadServings != (m_recipe.servings() > 0))
        setUpServings();
    showIngredients();
    showStep(step);
    watch(path);
}

// Editors that save by renaming a new file over the old one end the watch;
// the path is watched again whenever the file is there.
void CookingView::watch(const QString& path)
{
    const QStringList watched = m_watcher->files();
    if (!watched.isEmpty() && watched != QStringList{path})
        m_watcher->removePaths(watched);
    if (!path.isEmpty() && QFileInfo::exists(path) && !m_watcher->files().contains(path))
        m_watcher->addPath(path);
}

void CookingView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        nextStep();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
        previousStep();
        return;
    case Qt::Key_F11:
        if (isFullScreen())
            showNormal();
        else
            showFullScreen();
        return;
    case Qt::Key_Escape:
        if (isFullScreen())
            showNormal();
        else
            close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CookingView::wheelEvent(QWheelEvent* event)
{
    m_wheelDelta += event->angleDelta().y();
    while (m_wheelDelta >= wheelNotch) {
        m_wheelDelta -= wheelNotch;
        previousStep();
    }
    while (m_wheelDelta <= -wheelNotch) {
        m_wheelDelta += wheelNotch;
        nextStep();
    }
    event->accept();
}

void CookingView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scaleType();
}

void CookingView::scaleType()
{
    const int pixels = std::max(smallestPixelSize, height() / linesPerHeight);
    QFont base = font();
    base.setPixelSize(pixels);
    setFont(base);
    QFont step = base;
    step.setPixelSize(pixels * 3 / 2);
    m_stepText->setFont(step);
    QFont title = base;
    title.setPixelSize(pixels * 2);
    title.setBold(true);
    m_title->setFont(title);
}

void CookingView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_inhibitor->inhibit(QStringLiteral("Cooking from a recipe"));
}

void CookingView::closeEvent(QCloseEvent* event)
{
    m_inhibitor->release();
    QWidget::closeEvent(event);
}

bool CookingView::event(QEvent* event)
{
    if (event->type() == QEvent::Gesture && handleSwipe(event))
        return true;
    return QWidget::event(event);
}

bool CookingView::handleSwipe(QEvent* event)
{
    auto* gestures = static_cast<QGestureEvent*>(event);
    auto* swipe = static_cast<QSwipeGesture*>(gestures->gesture(Qt::SwipeGesture));
    if (!swipe || swipe->state() != Qt::GestureFinished)
        return false;
    if (swipe->horizontalDirection() == QSwipeGesture::Left)
        nextStep();
    else if (swipe->horizontalDirection() == QSwipeGesture::Right)
        previousStep();
    gestures->accept(swipe);
    return true;
}
