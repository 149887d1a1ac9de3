#include "cooking/cookingsession.h"

#include "cooking/cookingtimers.h"
#include "quantity/kitchenunits.h"
#include "recipe/recipeservings.h"
#include "system/screenawakekeeper.h"
#include "system/timerannouncer.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

#include <algorithm>

namespace {

QString ingredientText(const IngredientReading& ingredient, const Fraction& factor,
                       QChar decimalMark)
{
    QString amount;
    if (ingredient.amount.isNumber())
        amount = KitchenUnits::formatAmount(ingredient.amount.scaled(factor), ingredient.unit,
                                            decimalMark);
    else if (ingredient.amount.isText())
        amount = ingredient.amount.text();
    const QString line =
        amount.isEmpty() ? ingredient.name : amount + QLatin1Char(' ') + ingredient.name;
    return ingredient.note.isEmpty() ? line : line + QStringLiteral(", ") + ingredient.note;
}

} // namespace

CookingSession::CookingSession(QObject* parent)
    : CookingSession(nullptr, nullptr, nullptr, parent)
{}

CookingSession::CookingSession(std::unique_ptr<CookingClock> clock,
                               std::unique_ptr<ScreenAwakeKeeper> awakeKeeper,
                               std::unique_ptr<TimerAnnouncer> announcer, QObject* parent)
    : QObject(parent)
    , m_wanted(RecipeServings::unscaledHalves)
    , m_timers(std::make_unique<CookingTimers>(std::move(clock)))
    , m_awakeKeeper(std::move(awakeKeeper))
    , m_announcer(std::move(announcer))
    , m_watcher(std::make_unique<QFileSystemWatcher>())
{
    connectTimers();
    connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this, &CookingSession::reload);
    connect(this, &CookingSession::contentChanged, this, [this] { ++m_revision; });
}

// Lets the screen sleep again, should a face go without saying so.
CookingSession::~CookingSession()
{
    if (m_awake && m_awakeKeeper)
        m_awakeKeeper->letSleep();
}

void CookingSession::connectTimers()
{
    connect(m_timers.get(), &CookingTimers::timersChanged, this, &CookingSession::timersChanged);
    connect(m_timers.get(), &CookingTimers::ticked, this, &CookingSession::timersChanged);
    connect(m_timers.get(), &CookingTimers::timerEnded, this, [this](int id, const QString& name) {
        if (m_announcer)
            m_announcer->announce(name, QStringLiteral("Time is up"));
        emit timerEnded(name, id);
    });
}

void CookingSession::setPath(const QString& path)
{
    m_recipe = CookingRecipe::read(path);
    m_step = 0;
    m_wanted = hasServings() ? m_recipe.servings() : RecipeServings::unscaledHalves;
    watch();
    announceNewRecipe();
}

void CookingSession::reload()
{
    const int step = m_step;
    const bool hadServings = hasServings();
    m_recipe = CookingRecipe::read(m_recipe.path());
    if (hadServings != hasServings())
        m_wanted = hasServings() ? m_recipe.servings() : RecipeServings::unscaledHalves;
    m_wanted = std::clamp(m_wanted, minWanted(), maxWanted());
    m_step = std::clamp(step, 0, std::max(stepCount() - 1, 0));
    watch();
    announceNewRecipe();
}

// Views that rebuild their pages on the new recipe move back to the first one
// as they do; the step is kept for them to come back to.
void CookingSession::announceNewRecipe()
{
    m_announcing = true;
    emit recipeChanged();
    m_announcing = false;
    emit contentChanged();
}

// Editors that save by renaming a new file over the old one end the watch;
// the path is watched again whenever the file is there.
void CookingSession::watch()
{
    const QStringList watched = m_watcher->files();
    if (!watched.isEmpty() && watched != QStringList{path()})
        m_watcher->removePaths(watched);
    if (!path().isEmpty() && QFileInfo::exists(path()) && !m_watcher->files().contains(path()))
        m_watcher->addPath(path());
}

void CookingSession::setWanted(int wanted)
{
    wanted = std::clamp(wanted, minWanted(), maxWanted());
    if (wanted == m_wanted)
        return;
    m_wanted = wanted;
    emit contentChanged();
}

int CookingSession::minWanted() const
{
    return hasServings() ? RecipeServings::minServings : RecipeServings::minFactorHalves;
}

int CookingSession::maxWanted() const
{
    return hasServings() ? RecipeServings::maxServings : RecipeServings::maxFactorHalves;
}

QString CookingSession::wantedTextFor(int wanted) const
{
    if (hasServings())
        return wanted == 1 ? QStringLiteral("1 serving")
                           : QStringLiteral("%1 servings").arg(wanted);
    return QStringLiteral("×") + Fraction(wanted, 2).toDisplayString();
}

Fraction CookingSession::factor() const
{
    return hasServings() ? Fraction(m_wanted, m_recipe.servings()) : Fraction(m_wanted, 2);
}

void CookingSession::setCurrentStep(int step)
{
    step = std::clamp(step, 0, std::max(stepCount() - 1, 0));
    if (m_announcing || step == m_step)
        return;
    m_step = step;
    emit contentChanged();
}

QStringList CookingSession::ingredients() const
{
    QStringList texts;
    for (const IngredientReading& ingredient : m_recipe.ingredients())
        texts.append(ingredientText(ingredient, factor(), m_recipe.decimalMark()));
    return texts;
}

QVariantList CookingSession::ingredientRows() const
{
    QVariantList rows;
    const QList<IngredientReading> all = m_recipe.ingredients();
    for (int row = 0; row < all.size(); ++row) {
        const QString heading = m_recipe.ingredientHeading(row);
        if (!heading.isEmpty())
            rows.append(
                QVariantMap{{QStringLiteral("text"), heading}, {QStringLiteral("heading"), true}});
        rows.append(QVariantMap{
            {QStringLiteral("text"), ingredientText(all.at(row), factor(), m_recipe.decimalMark())},
            {QStringLiteral("heading"), false}});
    }
    return rows;
}

QVariantList CookingSession::notes() const
{
    QVariantList list;
    for (const CookingStep& note : m_recipe.notes())
        list.append(QVariantMap{{QStringLiteral("section"), note.section},
                                {QStringLiteral("text"), note.text}});
    return list;
}

void CookingSession::setAwake(bool awake)
{
    if (awake == m_awake)
        return;
    m_awake = awake;
    if (m_awakeKeeper && awake)
        m_awakeKeeper->keepAwake(QStringLiteral("Cooking from a recipe"));
    else if (m_awakeKeeper)
        m_awakeKeeper->letSleep();
    emit awakeChanged();
}

QVariantList CookingSession::timers() const
{
    QVariantList list;
    for (int id : m_timers->ids()) {
        list.append(QVariantMap{
            {QStringLiteral("id"), id},
            {QStringLiteral("name"), m_timers->name(id)},
            {QStringLiteral("left"), CookingTimers::formatLeft(m_timers->leftMs(id))},
            {QStringLiteral("running"), m_timers->isRunning(id)},
            {QStringLiteral("ended"), m_timers->hasEnded(id)},
        });
    }
    return list;
}

QString CookingSession::stepText(int step) const
{
    return m_recipe.stepText(step, factor());
}

QString CookingSession::stepSection(int step) const
{
    return step >= 0 && step < stepCount() ? m_recipe.steps().at(step).section : QString();
}

QStringList CookingSession::stepIngredients(int step) const
{
    QStringList texts;
    if (step < 0 || step >= stepCount())
        return texts;
    const QList<IngredientReading> all = m_recipe.ingredients();
    for (int row : m_recipe.steps().at(step).ingredients)
        texts.append(ingredientText(all.at(row), factor(), m_recipe.decimalMark()));
    return texts;
}

QVariantList CookingSession::stepDurations(int step) const
{
    QVariantList list;
    if (step < 0 || step >= stepCount())
        return list;
    const CookingStep& chosen = m_recipe.steps().at(step);
    for (const StepDuration& duration : chosen.durations) {
        list.append(QVariantMap{
            {QStringLiteral("text"), chosen.text.mid(duration.position, duration.length)},
            {QStringLiteral("seconds"), duration.lowSeconds},
        });
    }
    return list;
}

int CookingSession::startTimer(int step, int duration)
{
    if (step < 0 || step >= stepCount())
        return 0;
    const CookingStep& chosen = m_recipe.steps().at(step);
    if (duration < 0 || duration >= chosen.durations.size())
        return 0;
    const StepDuration& span = chosen.durations.at(duration);
    return m_timers->start(title() + QStringLiteral(": ") +
                               chosen.text.mid(span.position, span.length),
                           span.lowSeconds * 1000);
}

void CookingSession::pauseTimer(int id)
{
    m_timers->pause(id);
}

void CookingSession::resumeTimer(int id)
{
    m_timers->resume(id);
}

void CookingSession::pauseOrResumeTimer(int id)
{
    if (m_timers->isRunning(id))
        m_timers->pause(id);
    else
        m_timers->resume(id);
}

void CookingSession::cancelTimer(int id)
{
    m_timers->cancel(id);
}

void CookingSession::checkTimers()
{
    m_timers->check();
}
