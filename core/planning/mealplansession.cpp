#include "planning/mealplansession.h"

#include "files/watchedtextfile.h"
#include "planning/mealplandaysmodel.h"
#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglistsession.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSettings>

#include <cmath>

namespace {

const QString settingsKey = QStringLiteral("MealPlan/text");
constexpr int clockInterval = 60 * 1000;

QDate dateOf(const QString& iso)
{
    return QDate::fromString(iso, Qt::ISODate);
}

// What the shopping list gets of a recipe planned on several days: servings
// where the recipe names its own, else halves of the recipe.
struct ShoppingAmount
{
    int servings = 0;
    int factorHalves = 0;
};

void addPlanned(ShoppingAmount* amount, const PlannedMeal& meal, int recipeServings)
{
    if (recipeServings > 0) {
        if (meal.servings > 0)
            amount->servings += meal.servings;
        else if (meal.factorHalves > 0)
            amount->servings += int(std::lround(recipeServings * meal.factorHalves / 2.0));
        else
            amount->servings += recipeServings;
        return;
    }
    amount->factorHalves += meal.factorHalves > 0 ? meal.factorHalves : 2;
}

} // namespace

MealPlanSession::MealPlanSession(QObject* parent)
    : QObject(parent)
    , m_file(std::make_unique<WatchedTextFile>(MealPlanFile::fileName(), MealPlanFile::sizeLimit))
    , m_days(std::make_unique<MealPlanDaysModel>())
    , m_today(QDate::currentDate())
{
    m_weekStart = m_today;
    connect(m_file.get(), &WatchedTextFile::changedOnDisk, this,
            &MealPlanSession::readFileIfChanged);
    // Today moves on at midnight while the program runs.
    m_clock.setInterval(clockInterval);
    connect(&m_clock, &QTimer::timeout, this, &MealPlanSession::followClock);
    m_clock.start();
    loadSettings();
    refresh();
}

MealPlanSession::~MealPlanSession() = default;

QAbstractItemModel* MealPlanSession::daysModel() const
{
    return m_days.get();
}

QString MealPlanSession::filePath() const
{
    return m_inFile ? m_file->path() : QString();
}

void MealPlanSession::setCollectionPath(const QString& folder)
{
    if (m_inFile && folder == m_folder) {
        readFileIfChanged();
        return;
    }
    const bool moved = folder != m_folder;
    m_file->setFolder(folder);
    m_folder = folder;
    m_inFile = false;
    openFile();
    if (moved)
        emit collectionPathChanged();
}

void MealPlanSession::openFile()
{
    const QFileInfo info(m_folder);
    if (m_folder.isEmpty() || !info.isDir()) {
        loadSettings();
        refresh();
        return;
    }
    if (!info.isWritable()) {
        keepInSettings(QStringLiteral("the folder %1 cannot be written").arg(m_folder), false);
        return;
    }
    QString text;
    QString reason;
    const WatchedTextFile::Change read = m_file->readIfChanged(&text, &reason);
    if (read == WatchedTextFile::Change::Refused) {
        keepInSettings(reason, false);
        return;
    }
    m_inFile = true;
    m_file->watch();
    if (read == WatchedTextFile::Change::Missing) {
        // A plan kept on this computer moves into the new file.
        loadSettings();
        if (!m_text.isEmpty()) {
            save();
            if (m_inFile)
                QSettings().remove(settingsKey);
        }
        refresh();
        return;
    }
    takeText(text);
    refresh();
}

void MealPlanSession::setWeekStart(const QDate& day)
{
    if (!day.isValid() || day == m_weekStart)
        return;
    m_weekStart = day;
    refresh();
    emit weekChanged();
}

QString MealPlanSession::weekTitle() const
{
    const QLocale locale;
    const QDate last = m_weekStart.addDays(shownDays - 1);
    return tr("%1 to %2")
        .arg(locale.toString(m_weekStart, QStringLiteral("d MMMM")),
             locale.toString(last, QStringLiteral("d MMMM yyyy")));
}

void MealPlanSession::setToday(const QDate& day)
{
    m_todayFixed = day.isValid();
    const QDate today = m_todayFixed ? day : QDate::currentDate();
    const bool showingToday = m_weekStart == m_today;
    m_today = today;
    if (showingToday)
        m_weekStart = today;
    refresh();
    emit weekChanged();
}

void MealPlanSession::followClock()
{
    if (!m_todayFixed && QDate::currentDate() != m_today)
        setToday(QDate());
}

void MealPlanSession::showEarlierWeek()
{
    setWeekStart(m_weekStart.addDays(-shownDays));
}

void MealPlanSession::showLaterWeek()
{
    setWeekStart(m_weekStart.addDays(shownDays));
}

void MealPlanSession::showThisWeek()
{
    setWeekStart(m_today);
}

bool MealPlanSession::planRecipe(const QString& path, const QString& day, int servings)
{
    const QDate date = dateOf(day);
    if (!date.isValid() || path.isEmpty())
        return false;
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(path);
    if (!recipe.readable)
        return false;
    PlannedMeal meal;
    meal.day = date;
    meal.recipePath = QFileInfo(path).absoluteFilePath();
    meal.title = recipe.title;
    meal.servings = std::clamp(servings, 0, 999);
    change([&](MealPlanFile& plan) {
        plan.add(meal, QLocale());
        return true;
    });
    return true;
}

void MealPlanSession::removeEntry(const QString& day, int index)
{
    const ShownEntry shown = shownEntry(dateOf(day), index);
    change([&](MealPlanFile& plan) { return plan.remove(shown.meal.day, locate(plan, shown)); });
}

void MealPlanSession::moveEntry(const QString& day, int index, const QString& toDay)
{
    const ShownEntry shown = shownEntry(dateOf(day), index);
    const QDate to = dateOf(toDay);
    if (!to.isValid() || to == shown.meal.day)
        return;
    change([&](MealPlanFile& plan) {
        const int at = locate(plan, shown);
        PlannedMeal meal = plan.mealsOn(shown.meal.day).value(at);
        if (!plan.remove(shown.meal.day, at))
            return false;
        meal.day = to;
        plan.add(meal, QLocale());
        return true;
    });
}

void MealPlanSession::setServings(const QString& day, int index, int servings)
{
    const ShownEntry shown = shownEntry(dateOf(day), index);
    change([&](MealPlanFile& plan) {
        return plan.setAmount(shown.meal.day, locate(plan, shown), std::clamp(servings, 0, 999), 0);
    });
}

int MealPlanSession::pastDays() const
{
    return m_plan.daysBefore(m_today);
}

void MealPlanSession::clearPastDays()
{
    change([&](MealPlanFile& plan) { return plan.removeDaysBefore(m_today) > 0; });
}

QString MealPlanSession::addShownDaysToShoppingList(ShoppingListSession* list)
{
    if (!list)
        return QString();
    readFileIfChanged();
    QList<QString> paths;
    QHash<QString, ShoppingAmount> amounts;
    for (int row = 0; row < m_days->rowCount(); ++row) {
        for (const PlannedMeal& meal : m_days->mealsAt(row)) {
            if (meal.recipePath.isEmpty())
                continue;
            const ShoppingRecipe recipe = ShoppingIngredientReader::read(meal.recipePath);
            if (!recipe.readable)
                continue;
            if (!amounts.contains(meal.recipePath))
                paths.append(meal.recipePath);
            addPlanned(&amounts[meal.recipePath], meal, recipe.servings);
        }
    }
    if (paths.isEmpty())
        return tr("No recipes planned on these days");
    int added = 0;
    for (const QString& path : std::as_const(paths)) {
        const ShoppingAmount amount = amounts.value(path);
        if (list->addRecipeFor(path, amount.servings, amount.factorHalves))
            ++added;
    }
    return tr("%n recipe(s) added to the shopping list", nullptr, added);
}

bool MealPlanSession::readFileIfChanged()
{
    if (!m_inFile)
        return false;
    QString text;
    QString reason;
    const WatchedTextFile::Change read = m_file->readIfChanged(&text, &reason);
    if (read == WatchedTextFile::Change::Refused) {
        keepInSettings(reason, true);
        return false;
    }
    // Unchanged, or gone for a moment (or removed): the plan stays, and the
    // next change writes the file anew.
    if (read != WatchedTextFile::Change::Changed)
        return false;
    takeText(text);
    refresh();
    return true;
}

void MealPlanSession::change(const std::function<bool(MealPlanFile&)>& apply)
{
    readFileIfChanged();
    MealPlanFile plan = m_plan;
    if (!apply(plan))
        return;
    m_plan = plan;
    m_text = plan.toText();
    save();
    refresh();
}

MealPlanSession::ShownEntry MealPlanSession::shownEntry(const QDate& day, int index) const
{
    if (!day.isValid())
        return ShownEntry();
    const QList<PlannedMeal> meals = m_days->mealsAt(int(m_weekStart.daysTo(day)));
    if (index < 0 || index >= meals.size())
        return ShownEntry();
    return ShownEntry{meals.at(index), index};
}

// By what it says, in case the file changed since it was shown; of entries
// that say the same, the one at its place.
int MealPlanSession::locate(const MealPlanFile& plan, const ShownEntry& shown)
{
    if (!shown.meal.day.isValid())
        return -1;
    return plan.indexOf(shown.meal.day, shown.meal.label, shown.meal.text, shown.index);
}

void MealPlanSession::takeText(const QString& text)
{
    m_text = text;
    m_plan = MealPlanFile::parse(text, m_folder);
}

void MealPlanSession::keepInSettings(const QString& reason, bool keepCurrent)
{
    m_file->unwatch();
    m_inFile = false;
    if (keepCurrent) {
        save();
    } else {
        loadSettings();
        // A plan that can be read but not written is where the kept one starts.
        QByteArray bytes;
        QString text;
        QString ignored;
        if (m_text.isEmpty() &&
            m_file->read(&bytes, &text, &ignored) == WatchedTextFile::Read::Text)
            takeText(text);
    }
    if (!m_told) {
        m_told = true;
        emit message(fallbackMessage().arg(reason));
    }
    refresh();
}

void MealPlanSession::loadSettings()
{
    const QVariant kept = QSettings().value(settingsKey);
    takeText(kept.typeId() == QMetaType::QString ? kept.toString().left(MealPlanFile::sizeLimit)
                                                 : QString());
}

void MealPlanSession::save()
{
    if (!m_inFile) {
        QSettings().setValue(settingsKey, m_text);
        return;
    }
    if (!m_file->write(m_text.toUtf8()))
        keepInSettings(QStringLiteral("%1 cannot be written").arg(MealPlanFile::fileName()), true);
}

void MealPlanSession::refresh()
{
    m_days->show(m_weekStart, shownDays, m_today, m_plan.meals());
    emit planChanged();
}
