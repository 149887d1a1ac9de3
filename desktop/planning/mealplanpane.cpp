#include "planning/mealplanpane.h"

#include "collection/scanner.h"
#include "document/panebuttons.h"
#include "planning/mealplandaysmodel.h"
#include "planning/mealplansession.h"
#include "planning/plandaydialog.h"
#include "shopping/shoppingingredientreader.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int indexRole = Qt::UserRole;
constexpr int pathRole = Qt::UserRole + 1;
constexpr int dateRole = Qt::UserRole + 2;

QString isoOf(const QDate& day)
{
    return day.toString(Qt::ISODate);
}

} // namespace

MealPlanPane::MealPlanPane(QWidget* parent)
    : QWidget(parent)
    , planSession(std::make_unique<MealPlanSession>())
{
    askForDay = [this](const QString& title) {
        PlanDayDialog dialog(title, planSession->today(), this);
        if (dialog.exec() != QDialog::Accepted)
            return PlannedDay{};
        return PlannedDay{dialog.day(), dialog.servings()};
    };
    askToClear = [this](int days) {
        return QMessageBox::question(
                   this, QStringLiteral("Clear past days"),
                   QStringLiteral("Remove the %1 past day(s) and everything written under them "
                                  "from meal-plan.md?")
                       .arg(days)) == QMessageBox::Yes;
    };
    buildViews();
    connectSession();
    showDays();
}

// The view goes with the child widgets only after this body; it must not
// outlive the session whose days it shows.
MealPlanPane::~MealPlanPane()
{
    // A view being destroyed still sends its viewport's events, which must
    // not reach eventFilter() through a view that is half gone.
    daysView->viewport()->removeEventFilter(this);
    delete daysView;
}

void MealPlanPane::buildViews()
{
    auto* layout = new QVBoxLayout(this);
    auto* weekRow = new QHBoxLayout();
    QPushButton* earlier =
        addPaneButton(weekRow, QStringLiteral("Earlier"), QStringLiteral("earlierWeekButton"),
                      QStringLiteral("go-previous"));
    weekLabel = new QLabel(this);
    weekLabel->setObjectName(QStringLiteral("weekLabel"));
    weekLabel->setAlignment(Qt::AlignCenter);
    weekLabel->setWordWrap(true);
    weekRow->addWidget(weekLabel, 1);
    QPushButton* later =
        addPaneButton(weekRow, QStringLiteral("Later"), QStringLiteral("laterWeekButton"),
                      QStringLiteral("go-next"));
    layout->addLayout(weekRow);
    connect(earlier, &QPushButton::clicked, planSession.get(), &MealPlanSession::showEarlierWeek);
    connect(later, &QPushButton::clicked, planSession.get(), &MealPlanSession::showLaterWeek);

    daysView = new QTreeWidget(this);
    daysView->setObjectName(QStringLiteral("mealPlanDays"));
    daysView->setHeaderHidden(true);
    // A long title shows whole, with a scroll bar, rather than cut off.
    daysView->setTextElideMode(Qt::ElideNone);
    daysView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    daysView->header()->setStretchLastSection(false);
    daysView->setDragEnabled(true);
    daysView->setDragDropMode(QAbstractItemView::DragDrop);
    daysView->setDefaultDropAction(Qt::CopyAction);
    daysView->viewport()->setAcceptDrops(true);
    daysView->viewport()->installEventFilter(this);
    daysView->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(daysView, 1);
    connect(daysView, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { openEntry(item); });
    connect(daysView, &QTreeWidget::currentItemChanged, this, &MealPlanPane::showCurrentEntry);
    connect(daysView, &QTreeWidget::customContextMenuRequested, this, &MealPlanPane::showEntryMenu);

    auto* entryRow = new QHBoxLayout();
    auto* servingsLabel = new QLabel(QStringLiteral("Servings:"), this);
    entryRow->addWidget(servingsLabel);
    servingsBox = new QSpinBox(this);
    servingsBox->setObjectName(QStringLiteral("servingsBox"));
    servingsBox->setRange(0, 99);
    servingsBox->setSpecialValueText(QStringLiteral("as written"));
    servingsLabel->setBuddy(servingsBox);
    entryRow->addWidget(servingsBox);
    removeButton =
        addPaneButton(entryRow, QStringLiteral("Remove"), QStringLiteral("removeEntryButton"),
                      QStringLiteral("list-remove"));
    entryRow->addStretch(1);
    layout->addLayout(entryRow);
    connect(servingsBox, &QSpinBox::valueChanged, this, &MealPlanPane::setCurrentServings);
    connect(removeButton, &QPushButton::clicked, this, &MealPlanPane::removeCurrentEntry);

    QPushButton* shop = addPaneButton(layout, QStringLiteral("Add these days to the shopping list"),
                                      QStringLiteral("addDaysToShoppingListButton"),
                                      QStringLiteral("view-list-details"));
    connect(shop, &QPushButton::clicked, this, &MealPlanPane::addShownDaysToShoppingList);
    QPushButton* clear =
        addPaneButton(layout, QStringLiteral("Clear past days…"),
                      QStringLiteral("clearPastDaysButton"), QStringLiteral("edit-clear-history"));
    connect(clear, &QPushButton::clicked, this, &MealPlanPane::clearPastDays);
}

void MealPlanPane::connectSession()
{
    connect(planSession.get(), &MealPlanSession::planChanged, this, &MealPlanPane::showDays);
    connect(planSession.get(), &MealPlanSession::weekChanged, this, &MealPlanPane::showDays);
    connect(planSession.get(), &MealPlanSession::message, this, &MealPlanPane::notifySimple,
            Qt::QueuedConnection);
}

void MealPlanPane::setShoppingList(ShoppingListSession* list)
{
    shoppingList = list;
}

void MealPlanPane::setDayQuestion(DayQuestion question)
{
    askForDay = std::move(question);
}

void MealPlanPane::setClearQuestion(ClearQuestion question)
{
    askToClear = std::move(question);
}

void MealPlanPane::setCollectionPath(const QString& path)
{
    planSession->setCollectionPath(path);
}

// The days anew, the chosen entry chosen again where it still is.
void MealPlanPane::showDays()
{
    const QTreeWidgetItem* current = currentEntry();
    const QDate currentDay = current ? dayOf(current) : QDate();
    const int currentIndex = current ? current->data(0, indexRole).toInt() : -1;
    weekLabel->setText(planSession->weekTitle());
    const QSignalBlocker blocker(daysView);
    daysView->clear();
    const MealPlanDaysModel* days = planSession->days();
    for (int row = 0; row < days->rowCount(); ++row) {
        const QModelIndex index = days->index(row, 0);
        const QDate date = days->dateAt(row);
        const bool today = index.data(MealPlanDaysModel::TodayRole).toBool();
        auto* day = new QTreeWidgetItem(daysView);
        day->setText(0, today ? QStringLiteral("Today, %1").arg(index.data().toString())
                              : index.data().toString());
        day->setData(0, dateRole, date);
        day->setFlags(Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);
        QFont font = day->font(0);
        font.setBold(true);
        day->setFont(0, font);
        if (today) {
            day->setBackground(0, palette().highlight());
            day->setForeground(0, palette().highlightedText());
        }
        const QList<PlannedMeal> meals = days->mealsAt(row);
        for (int i = 0; i < meals.size(); ++i) {
            auto* entry = new QTreeWidgetItem(day);
            entry->setText(0, MealPlanDaysModel::entryText(meals.at(i)));
            entry->setToolTip(0, meals.at(i).text);
            entry->setData(0, indexRole, i);
            entry->setData(0, pathRole, meals.at(i).recipePath);
            entry->setData(0, dateRole, date);
            if (date == currentDay && i == currentIndex)
                daysView->setCurrentItem(entry);
        }
    }
    daysView->expandAll();
    showCurrentEntry();
}

void MealPlanPane::showCurrentEntry()
{
    const QTreeWidgetItem* entry = currentEntry();
    const bool recipe = entry && !entry->data(0, pathRole).toString().isEmpty();
    servingsBox->setEnabled(recipe);
    removeButton->setEnabled(entry);
    const QSignalBlocker blocker(servingsBox);
    const QList<PlannedMeal> meals =
        entry ? planSession->days()->mealsAt(int(planSession->weekStart().daysTo(dayOf(entry))))
              : QList<PlannedMeal>();
    servingsBox->setValue(entry ? meals.value(entry->data(0, indexRole).toInt()).servings : 0);
}

QTreeWidgetItem* MealPlanPane::currentEntry() const
{
    QTreeWidgetItem* item = daysView->currentItem();
    return item && item->parent() ? item : nullptr;
}

QDate MealPlanPane::dayOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, dateRole).toDate() : QDate();
}

void MealPlanPane::openEntry(QTreeWidgetItem* item)
{
    const QString path = item ? item->data(0, pathRole).toString() : QString();
    if (!path.isEmpty())
        emit fileSelected(path);
}

void MealPlanPane::planRecipe(const QString& path)
{
    const ShoppingRecipe recipe = ShoppingIngredientReader::read(path);
    if (path.isEmpty() || !recipe.readable) {
        emit notifySimple(QStringLiteral("No recipe to plan"));
        return;
    }
    const PlannedDay chosen = askForDay(recipe.title);
    if (!chosen.day.isValid()) {
        emit notifySimple(QStringLiteral("Cancelled"));
        return;
    }
    planSession->planRecipe(path, isoOf(chosen.day), chosen.servings);
    // The week with the new entry is the one shown.
    if (planSession->weekStart().daysTo(chosen.day) < 0 ||
        planSession->weekStart().daysTo(chosen.day) >= MealPlanSession::shownDays)
        planSession->setWeekStart(chosen.day);
    emit notifySimple(QStringLiteral("%1 planned for %2")
                          .arg(recipe.title, MealPlanDaysModel::dayTitle(chosen.day)));
}

void MealPlanPane::dropRecipes(const QStringList& paths, const QDate& day)
{
    for (const QString& path : paths)
        planSession->planRecipe(path, isoOf(day));
}

void MealPlanPane::moveCurrentEntry(const QDate& day)
{
    const QTreeWidgetItem* entry = currentEntry();
    if (entry)
        planSession->moveEntry(isoOf(dayOf(entry)), entry->data(0, indexRole).toInt(), isoOf(day));
}

void MealPlanPane::setCurrentServings(int servings)
{
    const QTreeWidgetItem* entry = currentEntry();
    if (entry)
        planSession->setServings(isoOf(dayOf(entry)), entry->data(0, indexRole).toInt(), servings);
}

void MealPlanPane::removeCurrentEntry()
{
    const QTreeWidgetItem* entry = currentEntry();
    if (entry)
        planSession->removeEntry(isoOf(dayOf(entry)), entry->data(0, indexRole).toInt());
}

void MealPlanPane::addShownDaysToShoppingList()
{
    if (shoppingList)
        emit notifySimple(planSession->addShownDaysToShoppingList(shoppingList));
}

void MealPlanPane::clearPastDays()
{
    const int days = planSession->pastDays();
    if (days == 0) {
        emit notifySimple(QStringLiteral("No past days in the plan"));
        return;
    }
    if (askToClear(days))
        planSession->clearPastDays();
}

void MealPlanPane::showEntryMenu(const QPoint& at)
{
    QTreeWidgetItem* entry = currentEntry();
    if (!entry || daysView->itemAt(at) != entry)
        return;
    QMenu menu;
    menu.addAction(QStringLiteral("Open"), this, [this, entry] { openEntry(entry); })
        ->setEnabled(!entry->data(0, pathRole).toString().isEmpty());
    QMenu* moveMenu = menu.addMenu(QStringLiteral("Move to"));
    const MealPlanDaysModel* days = planSession->days();
    for (int row = 0; row < days->rowCount(); ++row) {
        const QDate day = days->dateAt(row);
        if (day != dayOf(entry))
            moveMenu->addAction(days->index(row, 0).data().toString(), this,
                                [this, day] { moveCurrentEntry(day); });
    }
    menu.addAction(QStringLiteral("Remove"), this, &MealPlanPane::removeCurrentEntry);
    menu.exec(daysView->viewport()->mapToGlobal(at));
}

// Drops are taken before the tree's own handling: a title from the title
// list is planned, an entry of ours moves.
bool MealPlanPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != daysView->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        // Copied, never moved: the dragging view removes nothing of its own.
        drag->setDropAction(Qt::CopyAction);
        drag->setAccepted(qobject_cast<QAbstractItemView*>(drag->source()) != nullptr);
        return true;
    }
    case QEvent::Drop:
        return dropOnDay(static_cast<QDropEvent*>(event));
    default:
        return QWidget::eventFilter(watched, event);
    }
}

bool MealPlanPane::dropOnDay(QDropEvent* event)
{
    const QDate day = dayOf(daysView->itemAt(event->position().toPoint()));
    auto* source = qobject_cast<QAbstractItemView*>(event->source());
    if (!day.isValid() || !source || !source->selectionModel())
        return true;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Changed once the drag is over: the tree is shown anew then.
    if (source == daysView) {
        QMetaObject::invokeMethod(
            this, [this, day] { moveCurrentEntry(day); }, Qt::QueuedConnection);
        return true;
    }
    QStringList paths;
    for (const QModelIndex& index : source->selectionModel()->selectedIndexes())
        paths.append(index.data(PathRole).toString());
    paths.removeAll(QString());
    QMetaObject::invokeMethod(
        this, [this, paths, day] { dropRecipes(paths, day); }, Qt::QueuedConnection);
    return true;
}
