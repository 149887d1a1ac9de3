#include "cooking/cookingview.h"

#include "cooking/cookeditpanel.h"
#include "cooking/cookingsession.h"
#include "cooking/cookingtimers.h"
#include "cooking/ticksizestyle.h"
#include "recipe/recipeservings.h"
#include "system/screensaverinhibitor.h"
#include "system/timernotifier.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGestureEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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

// A running timer takes about this many widths of "M" in its row; the spans
// of a step stand this many to a row.
constexpr int timerWidthInEms = 24;
constexpr int spansPerRow = 3;

// Fills a list with the session's ingredient rows, keeping the ticks where
// the rows are the same; sub-headings are bold and have nothing to tick.
void fillTickedList(QListWidget* list, const QVariantList& rows)
{
    QList<Qt::CheckState> ticks;
    for (int row = 0; row < list->count(); ++row)
        ticks.append(list->item(row)->checkState());
    list->clear();
    for (int row = 0; row < rows.size(); ++row) {
        const QVariantMap shown = rows[row].toMap();
        auto* item = new QListWidgetItem(shown.value(QStringLiteral("text")).toString());
        if (shown.value(QStringLiteral("heading")).toBool()) {
            item->setFlags(Qt::ItemIsEnabled);
            QFont bold = list->font();
            bold.setBold(true);
            item->setFont(bold);
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(row < ticks.size() ? ticks[row] : Qt::Unchecked);
        }
        list->addItem(item);
    }
}

// Makes every row of a list as high as its text wrapped at the list's width,
// so that the list never scrolls sideways; `fitHeight` makes the list as high
// as its rows, for a list inside a scrolled page.
void wrapRows(QListWidget* list, bool fitHeight = false)
{
    const QFontMetrics metrics(list->font());
    const int width = std::max(list->viewport()->width(), metrics.height() * 4);
    const int padding = metrics.height() / 2;
    int total = 0;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->font().bold()) { // a sub-heading follows the list's type
            QFont bold = list->font();
            bold.setBold(true);
            item->setFont(bold);
        }
        const bool ticks = item->flags().testFlag(Qt::ItemIsUserCheckable);
        // The box is a line high, with a margin on either side of it.
        const int textWidth = width - padding - (ticks ? metrics.height() + padding + 4 : 0);
        const QFontMetrics itemMetrics(item->data(Qt::FontRole).isValid() ? item->font()
                                                                          : list->font());
        const int height = itemMetrics
                               .boundingRect(QRect(0, 0, textWidth, QWIDGETSIZE_MAX),
                                             Qt::TextWordWrap, item->text())
                               .height() +
                           padding;
        item->setSizeHint(QSize(width, height));
        total += height;
    }
    if (fitHeight)
        list->setFixedHeight(total + 2 * list->frameWidth());
}

QListWidget* makeWrappingList(const char* objectName)
{
    auto* list = new QListWidget;
    list->setObjectName(QLatin1String(objectName));
    list->setFocusPolicy(Qt::NoFocus);
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return list;
}

QLabel* makeWrappingLabel(const char* objectName)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
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
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
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
    m_ingredients = makeWrappingList("cookingIngredients");
    body->addWidget(m_ingredients, 1);

    auto* stepColumn = new QVBoxLayout;
    m_section = makeWrappingLabel("cookingSection");
    m_stepCount = new QLabel;
    m_stepCount->setObjectName(QStringLiteral("cookingStepCount"));
    m_stepText = makeWrappingLabel("cookingStep");
    m_stepIngredients = makeWrappingList("cookingStepIngredients");
    m_stepIngredients->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notes = makeWrappingLabel("cookingNotes");
    m_timerButtons = new QWidget;
    m_timerButtons->setObjectName(QStringLiteral("cookingTimerButtons"));
    m_timerButtonsLayout = new QGridLayout(m_timerButtons);
    m_timerButtonsLayout->setContentsMargins(0, 0, 0, 0);

    // The step, its timers, its ingredients and the notes scroll together.
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_stepText);
    pageLayout->addWidget(m_timerButtons);
    pageLayout->addWidget(m_stepIngredients);
    pageLayout->addWidget(m_notes);
    m_cookedIt = new CookedItPanel(m_session);
    m_cookedIt->hide();
    pageLayout->addWidget(m_cookedIt);
    pageLayout->addStretch(1);
    m_stepScroll = new QScrollArea;
    m_stepScroll->setObjectName(QStringLiteral("cookingStepScroll"));
    m_stepScroll->setWidgetResizable(true);
    m_stepScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stepScroll->setFrameShape(QFrame::NoFrame);
    m_stepScroll->setWidget(page);

    stepColumn->addWidget(m_section);
    stepColumn->addWidget(m_stepCount);
    stepColumn->addWidget(m_stepScroll, 1);
    body->addLayout(stepColumn, 2);
    static_cast<QVBoxLayout*>(layout())->addLayout(body, 1);
    m_ingredients->viewport()->installEventFilter(this);
    m_stepIngredients->viewport()->installEventFilter(this);
    // Made after the list, so that the list goes first when the view does.
    m_tickStyle = new TickSizeStyle(this);
    m_ingredients->setStyle(m_tickStyle);
}

void CookingView::buildFooter()
{
    m_timerStrip = new QScrollArea;
    m_timerStrip->setObjectName(QStringLiteral("cookingTimers"));
    m_timerStrip->setWidgetResizable(true);
    m_timerStrip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_timerStrip->setFrameShape(QFrame::NoFrame);
    auto* rows = new QWidget;
    m_timerStripLayout = new QGridLayout(rows);
    m_timerStripLayout->setContentsMargins(0, 0, 0, 0);
    m_timerStrip->setWidget(rows);
    m_timerStrip->hide();
    static_cast<QVBoxLayout*>(layout())->addWidget(m_timerStrip);

    auto* footer = new QHBoxLayout;
    m_previous =
        makeButton(QStringLiteral("go-previous"), QStringLiteral("Previous"), "cookingPrevious");
    m_next = makeButton(QStringLiteral("go-next"), QStringLiteral("Next"), "cookingNext");
    connect(m_previous, &QPushButton::clicked, m_session, &CookingSession::previousStep);
    connect(m_next, &QPushButton::clicked, m_session, &CookingSession::nextStep);
    footer->addWidget(m_previous);
    footer->addStretch(1);
    footer->addWidget(m_next);
    static_cast<QVBoxLayout*>(layout())->addLayout(footer);
}

void CookingView::connectSession()
{
    m_flashTimer = new QTimer(this);
    m_flashTimer->setInterval(flashIntervalMs);
    connect(m_flashTimer, &QTimer::timeout, this, &CookingView::flash);
    connect(m_session, &CookingSession::recipeChanged, this, &CookingView::showRecipe);
    connect(m_session, &CookingSession::recipeChanged, m_cookedIt, &CookedItPanel::reset);
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
    fillTickedList(m_ingredients, m_session->ingredientRows());
    wrapRows(m_ingredients);
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
    showNotes();
    showCookedIt();
    m_stepScroll->verticalScrollBar()->setValue(0);
}

void CookingView::showStepIngredients()
{
    m_stepIngredients->clear();
    m_stepIngredients->addItems(m_session->stepIngredients(m_session->currentStep()));
    m_stepIngredients->setVisible(m_stepIngredients->count() > 0);
    wrapRows(m_stepIngredients, true);
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
        m_timerButtonsLayout->addWidget(button, span / spansPerRow, span % spansPerRow);
    }
    m_timerButtonsLayout->setColumnStretch(spansPerRow, 1);
}

// After the last step, what the recipe says after its steps, each section
// under its heading.
void CookingView::showNotes()
{
    QStringList lines;
    if (!m_session->hasNextStep()) {
        QString section;
        for (const QVariant& entry : m_session->notes()) {
            const QVariantMap note = entry.toMap();
            const QString heading = note.value(QStringLiteral("section")).toString();
            if (heading != section || lines.isEmpty()) {
                section = heading;
                if (!lines.isEmpty())
                    lines.append(QString());
                if (!heading.isEmpty())
                    lines.append(heading);
            }
            lines.append(note.value(QStringLiteral("text")).toString());
        }
    }
    m_notes->setText(lines.join(QLatin1Char('\n')));
    m_notes->setVisible(!lines.isEmpty());
}

void CookingView::setJournal(CookingJournal* journal)
{
    m_cookedIt->setJournal(journal);
    showCookedIt();
}

void CookingView::showCookedIt()
{
    m_cookedIt->setVisible(m_cookedIt->journal() && !m_session->path().isEmpty() &&
                           !m_session->hasNextStep());
}

// The running timers in rows of as many as the window's width takes.
void CookingView::rebuildTimerStrip()
{
    clearLayout(m_timerStripLayout);
    const QVariantList timers = m_session->timers();
    m_shownTimerColumns = timerColumns();
    for (int row = 0; row < timers.size(); ++row) {
        QFrame* frame = makeTimerFrame(timers[row].toMap());
        m_timerStripLayout->addWidget(frame, row / m_shownTimerColumns, row % m_shownTimerColumns);
        // Shown now rather than at the next layout, so that the rows count.
        frame->show();
    }
    m_timerStrip->setVisible(!timers.isEmpty());
    fitTimerStrip();
}

// As high as its rows, up to a third of the window; beyond that it scrolls.
void CookingView::fitTimerStrip()
{
    QWidget* rows = m_timerStrip->widget();
    // Before the strip is first laid out its width is the window's.
    const int width =
        m_timerStrip->isVisible() ? m_timerStrip->width() : layout()->contentsRect().width();
    const int rowsHeight =
        std::max(rows->heightForWidth(width), rows->layout()->minimumSize().height());
    m_timerStrip->setFixedHeight(std::min(rowsHeight, std::max(height() / 3, 1)));
}

int CookingView::timerColumns() const
{
    const int em = QFontMetrics(font()).horizontalAdvance(QLatin1Char('M'));
    return std::max(1, width() / std::max(1, em * timerWidthInEms));
}

// One timer: its name, the time left, pause (while it runs) and cancel, the
// buttons as high as the view's push buttons.
QFrame* CookingView::makeTimerFrame(const QVariantMap& timer)
{
    const int id = timer.value(QStringLiteral("id")).toInt();
    const bool ended = timer.value(QStringLiteral("ended")).toBool();
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("cookingTimer"));
    frame->setProperty("timerId", id);
    frame->setProperty("ended", ended);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(frame);
    auto* name = new QLabel(timer.value(QStringLiteral("name")).toString());
    name->setWordWrap(true);
    name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* left = new QLabel(timer.value(QStringLiteral("left")).toString());
    left->setObjectName(QStringLiteral("cookingTimerLeft"));
    row->addWidget(name, 1);
    row->addWidget(left);
    const int buttonHeight = m_next->sizeHint().height();
    if (!ended) {
        const bool running = timer.value(QStringLiteral("running")).toBool();
        auto* pause = makeToolButton(running ? QStringLiteral("media-playback-pause")
                                             : QStringLiteral("media-playback-start"),
                                     running ? QStringLiteral("Pause") : QStringLiteral("Resume"),
                                     "cookingTimerPause");
        pause->setMinimumHeight(buttonHeight);
        connect(pause, &QToolButton::clicked, m_session,
                [this, id] { m_session->pauseOrResumeTimer(id); });
        row->addWidget(pause);
    }
    auto* cancel = makeToolButton(QStringLiteral("dialog-cancel"),
                                  ended ? QStringLiteral("Dismiss") : QStringLiteral("Cancel"),
                                  "cookingTimerCancel");
    cancel->setMinimumHeight(buttonHeight);
    connect(cancel, &QToolButton::clicked, m_session, [this, id] { m_session->cancelTimer(id); });
    row->addWidget(cancel);
    return frame;
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
    if (!m_session->timers().isEmpty() && timerColumns() != m_shownTimerColumns)
        rebuildTimerStrip();
    else
        fitTimerStrip();
}

// The lists' rows wrap again whenever a list takes another width.
bool CookingView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == m_ingredients->viewport())
        wrapRows(m_ingredients);
    else if (event->type() == QEvent::Resize && watched == m_stepIngredients->viewport())
        wrapRows(m_stepIngredients, true);
    return QWidget::eventFilter(watched, event);
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
    // Check boxes as large as the ingredients' text.
    m_tickStyle->setTickSize(QFontMetrics(base).height());
    // The lists were laid out at their new width before the type changed.
    wrapRows(m_ingredients);
    wrapRows(m_stepIngredients, true);
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
