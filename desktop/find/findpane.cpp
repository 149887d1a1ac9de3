#include "find/findpane.h"

#include "collection/scanner.h"
#include "find/chosennamesedit.h"
#include "search/recipesearch.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <utility>

FindPane::FindPane(QWidget* parent)
    : QWidget(parent)
    , m_search(std::make_unique<RecipeSearch>())
{
    m_search->setShown(false);
    buildWidgets();
    connectWidgets();
}

// The view goes with the child widgets only after this body; it must not be
// left showing a model that is already gone.
FindPane::~FindPane()
{
    delete m_view;
}

void FindPane::buildWidgets()
{
    RecipeSearch* search = m_search.get();
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setPlaceholderText(QStringLiteral("Search the text of every recipe"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);
    m_ingredients = new ChosenNamesEdit(
        QStringLiteral("Add an ingredient"),
        [search](const QString& typed) { return search->ingredientSuggestions(typed); }, this);
    m_ingredients->setObjectName(QStringLiteral("findIngredients"));
    m_tags = new ChosenNamesEdit(
        QStringLiteral("Add a tag"),
        [search](const QString& typed) { return search->tagSuggestions(typed); }, this);
    m_tags->setObjectName(QStringLiteral("findTags"));
    m_count = new QLabel(m_search->status(), this);
    m_count->setObjectName(QStringLiteral("findCount"));
    m_count->setWordWrap(true);

    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("findResults"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setHeaderHidden(true);
    m_view->setModel(m_search->results());
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_view->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_ingredients);
    layout->addWidget(m_tags);
    addPantrySwitch(layout);
    addJournalSwitches(layout);
    layout->addWidget(m_count);
    layout->addWidget(m_view, 1);
}

void FindPane::addPantrySwitch(QVBoxLayout* layout)
{
    auto* box = new QCheckBox(QStringLiteral("From my pantry"), this);
    box->setObjectName(QStringLiteral("findFromPantry"));
    box->setToolTip(QStringLiteral(
        "Recipes the pantry holds every ingredient of first, then those it lacks one or two of"));
    connect(box, &QCheckBox::toggled, m_search.get(), &RecipeSearch::setFromPantry);
    layout->addWidget(box);
}

// The cooking journal's filters and order, one a line so that a narrow dock
// keeps them whole.
void FindPane::addJournalSwitches(QVBoxLayout* layout)
{
    JournalFilter* filter = m_search->journalFilter();
    const auto addSwitch = [&](const QString& text, const char* name,
                               void (JournalFilter::*set)(bool)) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        connect(box, &QCheckBox::toggled, filter, set);
        layout->addWidget(box);
    };
    addSwitch(QStringLiteral("Favourites"), "findFavourites", &JournalFilter::setFavourites);
    addSwitch(QStringLiteral("Not cooked for a month"), "findNotCookedLately",
              &JournalFilter::setNotCookedLately);
    addSwitch(QStringLiteral("Last cooked first"), "findByLastCooked",
              &JournalFilter::setByLastCooked);
}

void FindPane::setJournal(CookingJournal* journal)
{
    m_search->journalFilter()->setJournal(journal);
}

void FindPane::setPantry(PantrySession* pantry)
{
    m_search->setPantry(pantry);
}

void FindPane::connectWidgets()
{
    RecipeSearch* search = m_search.get();
    connect(m_text, &QLineEdit::textChanged, search, &RecipeSearch::setText);
    connect(m_text, &QLineEdit::returnPressed, search, &RecipeSearch::findNow);
    connect(m_ingredients, &ChosenNamesEdit::chooseRequested, search,
            &RecipeSearch::chooseIngredient);
    connect(m_ingredients, &ChosenNamesEdit::dropRequested, search, &RecipeSearch::dropIngredient);
    connect(search, &RecipeSearch::ingredientsChanged, m_ingredients,
            [this] { m_ingredients->setChosen(m_search->ingredients()); });
    connect(m_tags, &ChosenNamesEdit::chooseRequested, search, &RecipeSearch::chooseTag);
    connect(m_tags, &ChosenNamesEdit::dropRequested, search, &RecipeSearch::dropTag);
    connect(search, &RecipeSearch::tagsChanged, m_tags,
            [this] { m_tags->setChosen(m_search->tags()); });
    connect(search, &RecipeSearch::statusChanged, m_count,
            [this] { m_count->setText(m_search->status()); });
    connect(m_view, &QTreeView::clicked, this, &FindPane::announce);
}

void FindPane::setScanner(Scanner* scanner)
{
    m_search->setScanner(scanner);
}

void FindPane::setModels(std::shared_ptr<QStandardItemModel> titleModel,
                         std::shared_ptr<QStandardItemModel> ingredientModel,
                         std::shared_ptr<QStandardItemModel> tagModel,
                         std::shared_ptr<const IngredientNameIndex> listedIngredients)
{
    m_search->setModels(std::move(titleModel), std::move(ingredientModel), std::move(tagModel),
                        std::move(listedIngredients));
}

void FindPane::focusText()
{
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_search->setShown(true);
}

void FindPane::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_search->setShown(false);
}

bool FindPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == m_view && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        announce(m_view->currentIndex());
        return true;
    }
    // Down from the search field goes on into the results.
    QAbstractItemModel* results = m_search->results();
    if (watched == m_text && key == Qt::Key_Down && results->rowCount() > 0) {
        m_view->setFocus(Qt::TabFocusReason);
        m_view->setCurrentIndex(results->index(0, 0));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FindPane::announce(const QModelIndex& index)
{
    const QString path = index.isValid() ? index.data(PathRole).toString() : QString();
    if (!path.isEmpty())
        emit fileSelected(path);
}
