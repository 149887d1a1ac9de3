#include "find/findpane.h"

#include "collection/indexmodelreading.h"
#include "collection/scanner.h"
#include "find/chosennamesedit.h"
#include "find/findresultsmodel.h"
#include "search/ingredientnameindex.h"
#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

#include <QEvent>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <utility>

namespace {

// How long typing must pause before the text is searched; a search started
// while typing goes on would be overtaken at once.
constexpr int typingPauseMs = 120;

} // namespace

FindPane::FindPane(QWidget* parent)
    : QWidget(parent)
    , m_results(std::make_unique<FindResultsModel>())
    , m_finder(std::make_unique<RecipeFinder>())
{
    buildWidgets();
    connectWidgets();
    showResult({});
}

// The view goes with the child widgets only after this body; it must not be
// left showing a model that is already gone.
FindPane::~FindPane()
{
    delete m_view;
}

void FindPane::buildWidgets()
{
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setPlaceholderText(QStringLiteral("Search the text of every recipe"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);
    m_ingredients = new ChosenNamesEdit(QStringLiteral("Add an ingredient"), this);
    m_ingredients->setObjectName(QStringLiteral("findIngredients"));
    m_tags = new ChosenNamesEdit(QStringLiteral("Add a tag"), this);
    m_tags->setObjectName(QStringLiteral("findTags"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("findCount"));
    m_count->setWordWrap(true);

    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("findResults"));
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setHeaderHidden(true);
    m_view->setModel(m_results.get());
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_view->installEventFilter(this);

    m_typingPause = new QTimer(this);
    m_typingPause->setSingleShot(true);
    m_typingPause->setTimerType(Qt::PreciseTimer);
    m_typingPause->setInterval(typingPauseMs);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_ingredients);
    layout->addWidget(m_tags);
    layout->addWidget(m_count);
    layout->addWidget(m_view, 1);
}

void FindPane::connectWidgets()
{
    connect(m_text, &QLineEdit::textChanged, m_typingPause, qOverload<>(&QTimer::start));
    connect(m_typingPause, &QTimer::timeout, this, &FindPane::search);
    connect(m_text, &QLineEdit::returnPressed, this, &FindPane::search);
    connect(m_ingredients, &ChosenNamesEdit::chosenChanged, this, [this] {
        m_ingredientChoices.reset();
        search();
    });
    connect(m_tags, &ChosenNamesEdit::chosenChanged, this, [this] {
        m_tagChoices.reset();
        search();
    });
    connect(m_view, &QTreeView::clicked, this, &FindPane::announce);
    connect(m_finder.get(), &RecipeFinder::resultReady, this, &FindPane::showResult);
    connect(m_finder.get(), &RecipeFinder::indexReady, this, [this] {
        if (m_expectedResult != 0)
            showWaiting();
    });
}

void FindPane::setScanner(Scanner* scanner)
{
    connect(scanner, &Scanner::dataUpdated, this, [this, scanner] {
        setModels(scanner->titleModel(), scanner->ingredientModel(), scanner->tagModel(),
                  scanner->listedIngredients());
    });
}

void FindPane::setModels(std::shared_ptr<QStandardItemModel> titleModel,
                         std::shared_ptr<QStandardItemModel> ingredientModel,
                         std::shared_ptr<QStandardItemModel> tagModel,
                         std::shared_ptr<const IngredientNameIndex> listedIngredients)
{
    m_titleModel = std::move(titleModel);
    m_listedIngredients = std::move(listedIngredients);
    m_ingredientModel = std::move(ingredientModel);
    m_tagModel = std::move(tagModel);
    // Never the old collection's rows under the new one.
    m_finder->setCollection(nullptr);
    m_results->setRows({});
    m_collectionStale = true;
    if (isVisible() || hasConditions())
        refreshCollection();
}

void FindPane::focusText()
{
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_collectionStale)
        refreshCollection();
    m_finder->prepareIndex();
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
    if (watched == m_text && key == Qt::Key_Down && m_results->rowCount() > 0) {
        m_view->setFocus(Qt::TabFocusReason);
        m_view->setCurrentIndex(m_results->index(0, 0));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool FindPane::hasConditions() const
{
    return !m_text->text().trimmed().isEmpty() || !m_ingredients->chosen().isEmpty() ||
           !m_tags->chosen().isEmpty();
}

// Takes the recipes in the title model's order, the names of the listed
// ingredients (or of the ingredient index) and of the tag index, from the
// last publication.
void FindPane::refreshCollection()
{
    m_collectionStale = false;
    m_ingredientChoices.reset();
    m_tagChoices.reset();
    auto collection = std::make_shared<RecipeFinder::Collection>();
    if (m_titleModel) {
        const int rows = m_titleModel->rowCount();
        collection->reserve(rows);
        for (int row = 0; row < rows; ++row) {
            const QStandardItem* item = m_titleModel->item(row);
            collection->append({item->text(), item->data(PathRole).toString()});
        }
    }
    const QStringList ingredients = m_listedIngredients
                                        ? m_listedIngredients->names()
                                        : IndexModelReading::topLevelTexts(m_ingredientModel.get());
    m_foldedIngredients.clear();
    m_foldedIngredients.reserve(ingredients.size());
    TextFolding folding;
    for (const QString& name : ingredients)
        m_foldedIngredients.append(folding.fold(name));
    m_ingredients->setAvailableNames(ingredients);
    m_tags->setAvailableNames(IndexModelReading::topLevelTexts(m_tagModel.get()));
    m_finder->setCollection(m_titleModel ? std::move(collection) : nullptr);
    if (isVisible())
        m_finder->prepareIndex();
    search();
}

QList<RecipeFinder::Choice> FindPane::ingredientChoices()
{
    if (m_ingredientChoices)
        return *m_ingredientChoices;
    QList<RecipeFinder::Choice> choices;
    TextFolding folding;
    for (const QString& name : m_ingredients->chosen()) {
        RecipeFinder::Choice choice{name, {}};
        const QString folded = folding.fold(name);
        for (int row = 0; row < m_foldedIngredients.size(); ++row) {
            if (!WordStartMatcher::containsAtWordStart(m_foldedIngredients.at(row), folded))
                continue;
            choice.paths += m_listedIngredients
                                ? m_listedIngredients->pathsOf(row)
                                : IndexModelReading::childPaths(m_ingredientModel->item(row));
        }
        choices.append(choice);
    }
    m_ingredientChoices = choices;
    return choices;
}

QList<RecipeFinder::Choice> FindPane::tagChoices()
{
    if (m_tagChoices)
        return *m_tagChoices;
    QList<RecipeFinder::Choice> choices;
    const QStringList tags = IndexModelReading::topLevelTexts(m_tagModel.get());
    for (const QString& name : m_tags->chosen()) {
        RecipeFinder::Choice choice{name, {}};
        const QString folded = TextFolding::foldCase(name);
        for (int row = 0; row < tags.size(); ++row) {
            if (TextFolding::foldCase(tags.at(row)) == folded)
                choice.paths += IndexModelReading::childPaths(m_tagModel->item(row));
        }
        choices.append(choice);
    }
    m_tagChoices = choices;
    return choices;
}

void FindPane::search()
{
    m_typingPause->stop();
    if (m_collectionStale) {
        refreshCollection(); // searches itself
        return;
    }
    if (!hasConditions()) {
        m_expectedResult = 0;
        showResult({});
        return;
    }
    if (!m_finder->collection()) {
        m_expectedResult = 0;
        m_results->setRows({});
        m_count->setText(QStringLiteral("%1 recipes").arg(0));
        return;
    }
    RecipeFinder::Request request;
    request.text = m_text->text();
    request.ingredients = ingredientChoices();
    request.tags = tagChoices();
    m_expectedResult = m_finder->find(std::move(request));
    showWaiting();
}

// Until the text index is complete, say that the recipes are being read.
void FindPane::showWaiting()
{
    if (!m_text->text().trimmed().isEmpty() && !m_finder->isIndexReady() && m_finder->collection())
        m_count->setText(QStringLiteral("Reading %1 recipes…").arg(m_finder->collection()->size()));
}

void FindPane::showResult(const RecipeFinder::Result& result)
{
    if (!hasConditions() || !result.collection) {
        m_results->setRows({});
        m_count->setText(QStringLiteral("Type a word or choose an ingredient or tag"));
        return;
    }
    if (result.request != m_expectedResult || result.collection != m_finder->collection())
        return;
    QList<FindResultsModel::Row> rows;
    rows.reserve(qsizetype(result.matches.size() + result.nearMatches.size()));
    for (int position : result.matches) {
        const RecipeFinder::Recipe& recipe = result.collection->at(position);
        rows.append({recipe.title, recipe.path, QString()});
    }
    const QStringList chosen = m_ingredients->chosen();
    for (const auto& [position, missing] : result.nearMatches) {
        const RecipeFinder::Recipe& recipe = result.collection->at(position);
        rows.append({recipe.title, recipe.path, chosen.value(missing)});
    }
    m_results->setRows(std::move(rows));
    m_count->setText(QStringLiteral("%1 recipes").arg(result.matches.size()));
}

void FindPane::announce(const QModelIndex& index)
{
    const QString path = index.isValid() ? index.data(PathRole).toString() : QString();
    if (!path.isEmpty())
        emit fileSelected(path);
}
