#include "cooking/cookingview.h"

#include "cooking/cookingsession.h"
#include "cooking/cookingtimers.h"
#include "recipe/recipeservings.h"
#include "system/screensaverinhibitor.h"
#include "system/timernotifier.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
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

constexpr int wheelNotch = 120;
constexpr int flashIntervalMs = 400;
constexpr int flashCount = 24;

// The type grows with the window: a line of step text is about a
// twenty-fifth of the window's height, never smaller than ordinary type.
constexpr int linesPerHeight = 25;
constexpr int smallestPixelSize = 14;

// Fills a list with texts, keeping the ticks where the rows are the same.
void fillTickedList(QListWidget* list, const QStringList& texts)
{
    QList<Qt::CheckState> ticks;
    for (int row = 0; row < list->count(); ++row)
        ticks.append(list->item(row)->checkState());
    list->clear();
    for (int row = 0; row < texts.size(); ++row) {
        auto* item = new QListWidgetItem(texts[row]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(row < ticks.size() ? ticks[row] : Qt::Unchecked);
        list->addItem(item);
    }
}

// Empties a row of buttons, one of which may be in the middle of its click:
// the widgets leave at once and are deleted once the click is over.
void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
}

QPushButton* makeButton(const QString& icon, const QString& text, const char* objectName)
{
    auto* button = new QPushButton(QIcon::fromTheme(icon), text);
    button->setObjectName(QLatin1String(objectName));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton* makeToolButton(const QString& icon, const QString& text, const char* objectName)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(objectName));
    button->setText(text);
    button->setIcon(QIcon::fromTheme(icon));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CookingView::CookingView(QWidget* parent, std::unique_ptr<CookingClock> clock,
                         const QDBusConnection& bus)
    : QWidget(parent, Qt::Window)
    , m_session(new CookingSession(std::move(clock), std::make_unique<ScreenSaverInhibitor>(bus),
                                   std::make_unique<TimerNotifier>(bus), this))
{
    setObjectName(QStringLiteral("cookingView"));
    setFocusPolicy(Qt::StrongFocus);
    grabGesture(Qt::SwipeGesture);
    setLayout(new QVBoxLayout);
    buildHeader();
    buildBody();
    buildFooter();
    connectSession();
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
    m_servings->setRange(RecipeServings::minServings, RecipeServings::maxServings);
    m_servings->setSuffix(QStringLiteral(" servings"));
    m_servings->setFocusPolicy(Qt::ClickFocus);
    m_factors = new QComboBox;
    m_factors->setFocusPolicy(Qt::ClickFocus);
    header->addWidget(m_servings);
    header->addWidget(m_factors);
    connect(m_servings, &QSpinBox::valueChanged, m_session, &CookingSession::setWanted);
    connect(m_factors, &QComboBox::currentIndexChanged, this,
            [this] { m_session->setWanted(m_factors->currentData().toInt()); });
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
    connect(m_previous, &QPushButton::clicked, m_session, &CookingSession::previousStep);
    connect(m_next, &QPushButton::clicked, m_session, &CookingSession::nextStep);
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

void CookingView::connectSession()
{
    m_flashTimer = new QTimer(this);
    m_flashTimer->setInterval(flashIntervalMs);
    connect(m_flashTimer, &QTimer::timeout, this, &CookingView::flash);
    connect(m_session, &CookingSession::recipeChanged, this, &CookingView::showRecipe);
    connect(m_session, &CookingSession::contentChanged, this, [this] {
        showWanted();
        showIngredients();
        showCurrentStep();
    });
    CookingTimers* timers = m_session->timerList();
    connect(timers, &CookingTimers::timersChanged, this, &CookingView::rebuildTimerStrip);
    connect(timers, &CookingTimers::ticked, this, &CookingView::updateTimesLeft);
    connect(m_session, &CookingSession::timerEnded, this, &CookingView::ring);
}

void CookingView::openRecipe(const QString& path)
{
    m_session->setPath(path);
}

CookingView* CookingView::cookIn(QWidget* owner, const QString& path)
{
    auto* view = owner->findChild<CookingView*>(QStringLiteral("cookingView"));
    if (!view) {
        view = new CookingView(owner);
        view->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (view->recipe().path() != path)
        view->openRecipe(path);
    view->showFullScreen();
    view->raise();
    view->activateWindow();
    return view;
}

const CookingRecipe& CookingView::recipe() const
{
    return m_session->recipe();
}

int CookingView::currentStep() const
{
    return m_session->currentStep();
}

CookingTimers* CookingView::timers() const
{
    return m_session->timerList();
}

void CookingView::nextStep()
{
    m_session->nextStep();
}

void CookingView::previousStep()
{
    m_session->previousStep();
}

void CookingView::showStep(int step)
{
    m_session->setCurrentStep(step);
}

void CookingView::showRecipe()
{
    m_title->setText(m_session->title());
    setWindowTitle(m_session->title());
    setUpServings();
}

// A spin box of servings when the recipe names them, otherwise a list of
// factors.
void CookingView::setUpServings()
{
    const bool servings = m_session->hasServings();
    const QSignalBlocker factorsBlocker(m_factors);
    m_servings->setVisible(servings);
    m_factors->setVisible(!servings);
    m_servings->setObjectName(servings ? QStringLiteral("cookingServings") : QString());
    m_factors->setObjectName(servings ? QString() : QStringLiteral("cookingServings"));
    if (servings || m_factors->count() > 0)
        return;
    for (int halves = m_session->minWanted(); halves <= m_session->maxWanted(); ++halves)
        m_factors->addItem(m_session->wantedTextFor(halves), halves);
}

void CookingView::showWanted()
{
    const QSignalBlocker servingsBlocker(m_servings);
    const QSignalBlocker factorsBlocker(m_factors);
    if (m_session->hasServings())
        m_servings->setValue(m_session->wanted());
    else
        m_factors->setCurrentIndex(m_factors->findData(m_session->wanted()));
}

void CookingView::showIngredients()
{
    fillTickedList(m_ingredients, m_session->ingredients());
}

void CookingView::showCurrentStep()
{
    const int step = m_session->currentStep();
    m_previous->setEnabled(m_session->hasPreviousStep());
    m_next->setEnabled(m_session->hasNextStep());
    if (m_session->stepCount() == 0) {
        m_section->clear();
        m_stepCount->clear();
        m_stepText->setText(QStringLiteral("This recipe has no steps."));
    } else {
        const QString section = m_session->stepSection(step);
        m_section->setText(section);
        m_section->setVisible(!section.isEmpty());
        m_stepCount->setText(
            QStringLiteral("Step %1 of %2").arg(step + 1).arg(m_session->stepCount()));
        m_stepText->setText(m_session->stepText(step));
    }
    showStepIngredients();
    showTimerButtons();
}

void CookingView::showStepIngredients()
{
    m_stepIngredients->clear();
    m_stepIngredients->addItems(m_session->stepIngredients(m_session->currentStep()));
    m_stepIngredients->setVisible(m_stepIngredients->count() > 0);
}

void CookingView::showTimerButtons()
{
    clearLayout(m_timerButtonsLayout);
    const int step = m_session->currentStep();
    const QVariantList spans = m_session->stepDurations(step);
    for (int span = 0; span < spans.size(); ++span) {
        const QString text = spans[span].toMap().value(QStringLiteral("text")).toString();
        QPushButton* button = makeButton(QStringLiteral("chronometer"), text, "cookingTimerButton");
        connect(button, &QPushButton::clicked, m_session,
                [this, step, span] { m_session->startTimer(step, span); });
        m_timerButtonsLayout->addWidget(button);
    }
    m_timerButtonsLayout->addStretch(1);
}

void CookingView::rebuildTimerStrip()
{
    clearLayout(m_timerStripLayout);
    const QVariantList timers = m_session->timers();
    for (const QVariant& entry : timers) {
        const QVariantMap timer = entry.toMap();
        const int id = timer.value(QStringLiteral("id")).toInt();
        const bool ended = timer.value(QStringLiteral("ended")).toBool();
        auto* frame = new QFrame;
        frame->setObjectName(QStringLiteral("cookingTimer"));
        frame->setProperty("timerId", id);
        frame->setProperty("ended", ended);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setAutoFillBackground(true);
        auto* row = new QHBoxLayout(frame);
        auto* left = new QLabel(timer.value(QStringLiteral("left")).toString());
        left->setObjectName(QStringLiteral("cookingTimerLeft"));
        row->addWidget(new QLabel(timer.value(QStringLiteral("name")).toString()));
        row->addWidget(left);
        if (!ended) {
            const bool running = timer.value(QStringLiteral("running")).toBool();
            auto* pause = makeToolButton(
                running ? QStringLiteral("media-playback-pause")
                        : QStringLiteral("media-playback-start"),
                running ? QStringLiteral("Pause") : QStringLiteral("Resume"), "cookingTimerPause");
            connect(pause, &QToolButton::clicked, m_session,
                    [this, id] { m_session->pauseOrResumeTimer(id); });
            row->addWidget(pause);
        }
        auto* cancel = makeToolButton(QStringLiteral("dialog-cancel"),
                                      ended ? QStringLiteral("Dismiss") : QStringLiteral("Cancel"),
                                      "cookingTimerCancel");
        connect(cancel, &QToolButton::clicked, m_session,
                [this, id] { m_session->cancelTimer(id); });
        row->addWidget(cancel);
        m_timerStripLayout->addWidget(frame);
    }
    m_timerStripLayout->addStretch(1);
    m_timerStrip->setVisible(!timers.isEmpty());
}

void CookingView::updateTimesLeft()
{
    const QList<QFrame*> frames =
        m_timerStrip->findChildren<QFrame*>(QStringLiteral("cookingTimer"));
    for (QFrame* frame : frames) {
        const int id = frame->property("timerId").toInt();
        if (auto* left = frame->findChild<QLabel*>(QStringLiteral("cookingTimerLeft")))
            left->setText(CookingTimers::formatLeft(timers()->leftMs(id)));
    }
}

// A timer that ends rings three ways: the desktop's notification with its
// sound (the session sees to that), the timer flashing in the strip, and the
// window asking for attention.
void CookingView::ring(const QString& name)
{
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
        if (!frame->property("ended").toBool())
            continue;
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, on ? palette.color(QPalette::Highlight)
                                              : QApplication::palette().color(QPalette::Window));
        frame->setPalette(palette);
    }
    if (--m_flashesLeft <= 0)
        m_flashTimer->stop();
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
    m_session->setAwake(true);
}

void CookingView::closeEvent(QCloseEvent* event)
{
    m_session->setAwake(false);
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
