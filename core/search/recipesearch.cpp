#include "search/recipesearch.h"

#include "collection/indexmodelreading.h"
#include "collection/ingredientnameindex.h"
#include "pantry/pantrysession.h"
#include "pantry/pantrystock.h"
#include "text/countwording.h"
#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

#include <QStandardItemModel>

#include <algorithm>
#include <utility>

namespace {

// How long typing must pause before the text is searched; a search started
// while typing goes on would be overtaken at once.
constexpr int typingPauseMs = 120;

} // namespace

RecipeSearch::RecipeSearch(QObject* parent)
    : QObject(parent)
    , m_results(std::make_unique<FindResultsModel>())
    , m_journalFilter(std::make_unique<JournalFilter>())
    , m_finder(std::make_unique<RecipeFinder>())
{
    m_typingPause.setSingleShot(true);
    m_typingPause.setTimerType(Qt::PreciseTimer);
    m_typingPause.setInterval(typingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &RecipeSearch::search);
    connect(m_finder.get(), &RecipeFinder::resultReady, this, &RecipeSearch::showResult);
    connect(m_journalFilter.get(), &JournalFilter::changed, this, &RecipeSearch::search);
    m_status = tr("Type a word or choose an ingredient or tag");
}

RecipeSearch::~RecipeSearch() = default;

void RecipeSearch::setScanner(Scanner* scanner)
{
    if (scanner == m_scanner)
        return;
    if (m_scanner)
        disconnect(m_scanner.data(), nullptr, this, nullptr);
    m_scanner = scanner;
    if (m_scanner)
        connect(m_scanner.data(), &Scanner::dataUpdated, this, &RecipeSearch::takePublication);
    takePublication();
    emit scannerChanged();
}

void RecipeSearch::takePublication()
{
    if (!m_scanner) {
        m_finder->setIndexKeeping({}, {});
        setModels({}, {}, {});
        return;
    }
    m_finder->setIndexKeeping(m_scanner->indexFolder(), m_scanner->shownRootPath());
    setModels(m_scanner->titleModel(), m_scanner->ingredientModel(), m_scanner->tagModel(),
              m_scanner->listedIngredients());
}

void RecipeSearch::setModels(std::shared_ptr<QStandardItemModel> titleModel,
                             std::shared_ptr<QStandardItemModel> ingredientModel,
                             std::shared_ptr<QStandardItemModel> tagModel,
                             std::shared_ptr<const IngredientNameIndex> listedIngredients)
{
    m_titleModel = std::move(titleModel);
    m_ingredientModel = std::move(ingredientModel);
    m_tagModel = std::move(tagModel);
    m_listedIngredients = std::move(listedIngredients);
    m_pantryAsked.reset();
    // Never the old collection's rows under the new one.
    m_finder->setCollection(nullptr);
    m_results->setRows({});
    m_collectionStale = true;
    if (m_shown || hasConditions())
        refreshCollection();
}

void RecipeSearch::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    emit shownChanged();
    if (!m_shown)
        return;
    if (m_collectionStale)
        refreshCollection();
    m_finder->prepareIndex();
}

PantrySession* RecipeSearch::pantry() const
{
    return m_pantry;
}

void RecipeSearch::setPantry(PantrySession* pantry)
{
    if (pantry == m_pantry)
        return;
    if (m_pantry)
        disconnect(m_pantry.data(), nullptr, this, nullptr);
    m_pantry = pantry;
    if (m_pantry)
        connect(m_pantry.data(), &PantrySession::pantryChanged, this, &RecipeSearch::pantryEdited);
    emit pantryChanged();
    pantryEdited();
}

void RecipeSearch::setFromPantry(bool fromPantry)
{
    if (fromPantry == m_fromPantry)
        return;
    m_fromPantry = fromPantry;
    emit fromPantryChanged();
    search();
}

void RecipeSearch::pantryEdited()
{
    m_pantryAsked.reset();
    if (m_fromPantry)
        search();
}

std::shared_ptr<const RecipeFinder::Pantry> RecipeSearch::pantryAsked()
{
    if (!m_pantryAsked) {
        m_pantryAsked = std::make_shared<const RecipeFinder::Pantry>(RecipeFinder::Pantry{
            m_listedIngredients, m_pantry ? m_pantry->stock() : PantryStock()});
    }
    return m_pantryAsked;
}

void RecipeSearch::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit textChanged();
    m_typingPause.start();
}

void RecipeSearch::findNow()
{
    search();
}

RecipeSearch::Names RecipeSearch::namesOf(const QStringList& names)
{
    Names result{names, {}};
    result.folded.reserve(names.size());
    TextFolding folding;
    for (const QString& name : names)
        result.folded.append(folding.fold(name));
    return result;
}

QStringList RecipeSearch::suggestionsOf(const Names& names, const QStringList& chosen,
                                        const QString& typed, int limit)
{
    QStringList found;
    TextFolding folding;
    const QString needle = folding.fold(typed.trimmed());
    if (needle.isEmpty())
        return found;
    for (int row = 0; row < names.names.size() && found.size() < limit; ++row) {
        const QString& name = names.names.at(row);
        if (WordStartMatcher::containsAtWordStart(names.folded.at(row), needle) &&
            !chosen.contains(name, Qt::CaseInsensitive) &&
            !found.contains(name, Qt::CaseInsensitive))
            found.append(name);
    }
    return found;
}

QStringList RecipeSearch::ingredientSuggestions(const QString& typed, int limit) const
{
    // Asked while hidden (by the pantry): the names of the latest publication.
    if (m_collectionStale)
        return suggestionsOf(namesOf(m_listedIngredients ? m_listedIngredients->names()
                                                         : IndexModelReading::topLevelTexts(
                                                               m_ingredientModel.get())),
                             m_ingredients, typed, limit);
    return suggestionsOf(m_ingredientNames, m_ingredients, typed, limit);
}

QStringList RecipeSearch::tagSuggestions(const QString& typed, int limit) const
{
    return suggestionsOf(m_tagNames, m_tags, typed, limit);
}

bool RecipeSearch::choose(QStringList& chosen, const QString& typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty() || chosen.contains(name, Qt::CaseInsensitive))
        return false;
    chosen.append(name);
    return true;
}

void RecipeSearch::chooseIngredient(const QString& typed)
{
    if (choose(m_ingredients, typed))
        ingredientsEdited();
}

void RecipeSearch::dropIngredient(const QString& name)
{
    if (m_ingredients.removeAll(name) > 0)
        ingredientsEdited();
}

void RecipeSearch::ingredientsEdited()
{
    m_ingredientChoices.reset();
    emit ingredientsChanged();
    search();
}

void RecipeSearch::chooseTag(const QString& typed)
{
    if (choose(m_tags, typed))
        tagsEdited();
}

void RecipeSearch::dropTag(const QString& name)
{
    if (m_tags.removeAll(name) > 0)
        tagsEdited();
}

void RecipeSearch::tagsEdited()
{
    m_tagChoices.reset();
    emit tagsChanged();
    search();
}

// Takes the recipes in the title model's order, the names of the listed
// ingredients (or of the ingredient index) and of the tag index, from the
// last publication.
void RecipeSearch::refreshCollection()
{
    m_collectionStale = false;
    m_ingredientChoices.reset();
    m_tagChoices.reset();
    m_ingredientNames =
        namesOf(m_listedIngredients ? m_listedIngredients->names()
                                    : IndexModelReading::topLevelTexts(m_ingredientModel.get()));
    m_tagNames = namesOf(IndexModelReading::topLevelTexts(m_tagModel.get()));
    std::shared_ptr<RecipeFinder::Collection> collection;
    if (m_titleModel) {
        collection = std::make_shared<RecipeFinder::Collection>();
        collection->reserve(m_titleModel->rowCount());
        for (int row = 0; row < m_titleModel->rowCount(); ++row) {
            const QStandardItem* item = m_titleModel->item(row);
            collection->append({item->text(), item->data(PathRole).toString()});
        }
    }
    m_finder->setCollection(std::move(collection));
    if (m_shown)
        m_finder->prepareIndex();
    search();
}

bool RecipeSearch::hasConditions() const
{
    return hasTextConditions() || m_journalFilter->filters();
}

// The conditions the finder answers, as against the journal's filters alone.
bool RecipeSearch::hasTextConditions() const
{
    return !m_text.trimmed().isEmpty() || !m_ingredients.isEmpty() || !m_tags.isEmpty() ||
           m_fromPantry;
}

QList<RecipeFinder::Choice> RecipeSearch::ingredientChoices()
{
    if (m_ingredientChoices)
        return *m_ingredientChoices;
    QList<RecipeFinder::Choice> choices;
    TextFolding folding;
    for (const QString& name : std::as_const(m_ingredients)) {
        RecipeFinder::Choice choice{name, {}};
        const QString folded = folding.fold(name);
        for (int row = 0; row < m_ingredientNames.folded.size(); ++row) {
            if (!WordStartMatcher::containsAtWordStart(m_ingredientNames.folded.at(row), folded))
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

QList<RecipeFinder::Choice> RecipeSearch::tagChoices()
{
    if (m_tagChoices)
        return *m_tagChoices;
    QList<RecipeFinder::Choice> choices;
    for (const QString& name : std::as_const(m_tags)) {
        RecipeFinder::Choice choice{name, {}};
        const QString folded = TextFolding::foldCase(name);
        for (int row = 0; row < m_tagNames.names.size(); ++row) {
            if (TextFolding::foldCase(m_tagNames.names.at(row)) == folded)
                choice.paths += IndexModelReading::childPaths(m_tagModel->item(row));
        }
        choices.append(choice);
    }
    m_tagChoices = choices;
    return choices;
}

void RecipeSearch::search()
{
    m_typingPause.stop();
    if (m_collectionStale) {
        refreshCollection(); // searches itself
        return;
    }
    if (!hasConditions()) {
        m_expectedResult = 0;
        showRows({}, tr("Type a word or choose an ingredient or tag"));
        return;
    }
    if (!m_finder->collection()) {
        m_expectedResult = 0;
        showRows({}, tr("%1 recipes").arg(0));
        return;
    }
    if (!hasTextConditions()) {
        showJournalChoice();
        return;
    }
    RecipeFinder::Request request;
    request.text = m_text;
    request.ingredients = ingredientChoices();
    request.tags = tagChoices();
    if (m_fromPantry)
        request.pantry = pantryAsked();
    m_expectedResult = m_finder->find(std::move(request));
    showWaiting();
}

// Until the text index is complete, say that the recipes are being read.
void RecipeSearch::showWaiting()
{
    if (!m_text.trimmed().isEmpty() && !m_finder->isIndexReady())
        setStatus(CountWording::of(m_finder->collection()->size(), tr("Reading 1 recipe…"),
                                   tr("Reading %1 recipes…")));
}

void RecipeSearch::showResult(const RecipeFinder::Result& result)
{
    if (result.request != m_expectedResult || !result.collection ||
        result.collection != m_finder->collection())
        return;
    QList<FindResultsModel::Row> rows;
    rows.reserve(qsizetype(result.matches.size() + result.nearMatches.size() +
                           result.pantryShortfalls.size()));
    for (int position : result.matches) {
        const RecipeFinder::Recipe& recipe = result.collection->at(position);
        rows.append({recipe.title, recipe.path, QString()});
    }
    for (const auto& [position, missing] : result.nearMatches) {
        const RecipeFinder::Recipe& recipe = result.collection->at(position);
        rows.append({recipe.title, recipe.path, m_ingredients.value(missing)});
    }
    for (const auto& [position, lacking] : result.pantryShortfalls) {
        const RecipeFinder::Recipe& recipe = result.collection->at(position);
        rows.append({recipe.title, recipe.path, lacking.join(QStringLiteral(", "))});
    }
    showRows(std::move(rows),
             CountWording::of(qint64(result.matches.size()), tr("1 recipe"), tr("%1 recipes")));
}

// Only the journal's filters chosen: every recipe they keep, at once.
void RecipeSearch::showJournalChoice()
{
    m_expectedResult = 0;
    QList<FindResultsModel::Row> rows;
    for (const RecipeFinder::Recipe& recipe : *m_finder->collection())
        rows.append({recipe.title, recipe.path, QString()});
    showRows(std::move(rows), QString());
}

// The journal's filters and order apply to every answer; when they leave
// recipes out, the status counts the full matches they keep.
void RecipeSearch::showRows(QList<FindResultsModel::Row> rows, QString status)
{
    rows = m_journalFilter->apply(std::move(rows));
    if (m_journalFilter->filters()) {
        const auto full = std::count_if(rows.cbegin(), rows.cend(),
                                        [](const auto& row) { return row.missing.isEmpty(); });
        status = CountWording::of(qint64(full), tr("1 recipe"), tr("%1 recipes"));
    }
    m_results->setRows(std::move(rows));
    setStatus(status);
    emit answered();
}

void RecipeSearch::setStatus(const QString& status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged();
}
