#include "recipesearch.h"

#include "collection/indexmodelreading.h"
#include "collection/scanner.h"
#include "browse/scanneradapter.h"
#include "search/ingredientnameindex.h"
#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

#include <QStandardItemModel>

RecipeSearch::RecipeSearch(QObject* parent)
    : QObject(parent)
    , m_results(std::make_unique<QStandardItemModel>())
    , m_finder(std::make_unique<RecipeFinder>())
{
    m_results->setItemRoleNames(
        {{Qt::DisplayRole, "display"}, {PathRole, "path"}, {MissingRole, "missing"}});
    connect(m_finder.get(), &RecipeFinder::resultReady, this, &RecipeSearch::showResult);
    connect(m_finder.get(), &RecipeFinder::indexReady, this, [this] {
        if (hasConditions() && m_expectedResult == 0)
            search();
    });
    setStatus(tr("Type a word or choose an ingredient or tag"));
}

RecipeSearch::~RecipeSearch() = default;

ScannerAdapter* RecipeSearch::scanner() const
{
    return m_scanner;
}

void RecipeSearch::setScanner(ScannerAdapter* scanner)
{
    if (scanner == m_scanner)
        return;
    if (m_scanner)
        disconnect(m_scanner->scanner(), nullptr, this, nullptr);
    m_scanner = scanner;
    if (m_scanner)
        connect(m_scanner->scanner(), &Scanner::dataUpdated, this,
                &RecipeSearch::refreshCollection);
    refreshCollection();
    emit scannerChanged();
}

QObject* RecipeSearch::results() const
{
    return m_results.get();
}

void RecipeSearch::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit textChanged();
    search();
}

QStringList RecipeSearch::suggestions(const QStringList& names, const QStringList& folded,
                                      const QStringList& chosen, const QString& prefix, int limit)
{
    QStringList found;
    TextFolding folding;
    const QString needle = folding.fold(prefix.trimmed());
    if (needle.isEmpty())
        return found;
    for (int row = 0; row < names.size() && found.size() < limit; ++row) {
        if (WordStartMatcher::containsAtWordStart(folded.at(row), needle) &&
            !chosen.contains(names.at(row), Qt::CaseInsensitive))
            found.append(names.at(row));
    }
    return found;
}

QStringList RecipeSearch::ingredientSuggestions(const QString& prefix, int limit)
{
    return suggestions(m_ingredientNames, m_foldedIngredients, m_ingredients, prefix, limit);
}

QStringList RecipeSearch::tagSuggestions(const QString& prefix, int limit)
{
    return suggestions(m_tagNames, m_foldedTags, m_tags, prefix, limit);
}

void RecipeSearch::chooseIngredient(const QString& name)
{
    const QString chosen = name.trimmed();
    if (chosen.isEmpty() || m_ingredients.contains(chosen, Qt::CaseInsensitive))
        return;
    m_ingredients.append(chosen);
    m_ingredientChoices.reset();
    emit ingredientsChanged();
    search();
}

void RecipeSearch::dropIngredient(const QString& name)
{
    if (m_ingredients.removeAll(name) == 0)
        return;
    m_ingredientChoices.reset();
    emit ingredientsChanged();
    search();
}

void RecipeSearch::chooseTag(const QString& name)
{
    const QString chosen = name.trimmed();
    if (chosen.isEmpty() || m_tags.contains(chosen, Qt::CaseInsensitive))
        return;
    m_tags.append(chosen);
    m_tagChoices.reset();
    emit tagsChanged();
    search();
}

void RecipeSearch::dropTag(const QString& name)
{
    if (m_tags.removeAll(name) == 0)
        return;
    m_tagChoices.reset();
    emit tagsChanged();
    search();
}

// Takes the recipes in the title model's order, and the names of the
// ingredient and tag indexes, from the scanner's last publication.
void RecipeSearch::refreshCollection()
{
    Scanner* scanner = m_scanner ? m_scanner->scanner() : nullptr;
    m_titleModel = scanner ? scanner->titleModel() : nullptr;
    m_ingredientModel = scanner ? scanner->ingredientModel() : nullptr;
    m_tagModel = scanner ? scanner->tagModel() : nullptr;
    m_listedIngredients = scanner ? scanner->listedIngredients() : nullptr;
    m_ingredientChoices.reset();
    m_tagChoices.reset();
    TextFolding folding;
    m_ingredientNames = m_listedIngredients
                            ? m_listedIngredients->names()
                            : IndexModelReading::topLevelTexts(m_ingredientModel.get());
    m_foldedIngredients.clear();
    for (const QString& name : std::as_const(m_ingredientNames))
        m_foldedIngredients.append(folding.fold(name));
    m_tagNames = IndexModelReading::topLevelTexts(m_tagModel.get());
    m_foldedTags.clear();
    for (const QString& name : std::as_const(m_tagNames))
        m_foldedTags.append(folding.fold(name));
    std::shared_ptr<RecipeFinder::Collection> collection;
    if (m_titleModel) {
        collection = std::make_shared<RecipeFinder::Collection>();
        collection->reserve(m_titleModel->rowCount());
        for (int row = 0; row < m_titleModel->rowCount(); ++row) {
            const QStandardItem* item = m_titleModel->item(row);
            collection->append({item->text(), item->data(::PathRole).toString()});
        }
    }
    m_finder->setCollection(std::move(collection));
    m_finder->prepareIndex();
    search();
}

bool RecipeSearch::hasConditions() const
{
    return !m_text.trimmed().isEmpty() || !m_ingredients.isEmpty() || !m_tags.isEmpty();
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

QList<RecipeFinder::Choice> RecipeSearch::tagChoices()
{
    if (m_tagChoices)
        return *m_tagChoices;
    QList<RecipeFinder::Choice> choices;
    for (const QString& name : std::as_const(m_tags)) {
        RecipeFinder::Choice choice{name, {}};
        const QString folded = TextFolding::foldCase(name);
        for (int row = 0; row < m_tagNames.size(); ++row) {
            if (TextFolding::foldCase(m_tagNames.at(row)) == folded)
                choice.paths += IndexModelReading::childPaths(m_tagModel->item(row));
        }
        choices.append(choice);
    }
    m_tagChoices = choices;
    return choices;
}

void RecipeSearch::search()
{
    if (!hasConditions() || !m_finder->collection()) {
        m_expectedResult = 0;
        m_results->setRowCount(0);
        setStatus(hasConditions() ? tr("%1 recipes").arg(0)
                                  : tr("Type a word or choose an ingredient or tag"));
        return;
    }
    RecipeFinder::Request request;
    request.text = m_text;
    request.ingredients = ingredientChoices();
    request.tags = tagChoices();
    m_expectedResult = m_finder->find(std::move(request));
    if (!m_text.trimmed().isEmpty() && !m_finder->isIndexReady())
        setStatus(tr("Reading %1 recipes…").arg(m_finder->collection()->size()));
}

void RecipeSearch::showResult(const RecipeFinder::Result& result)
{
    if (result.request != m_expectedResult || result.collection != m_finder->collection() ||
        !result.collection)
        return;
    const auto rows = int(result.matches.size() + result.nearMatches.size());
    // Rows are reused where they are, so that the list keeps its place.
    if (m_results->rowCount() > rows)
        m_results->removeRows(rows, m_results->rowCount() - rows);
    while (m_results->rowCount() < rows)
        m_results->appendRow(new QStandardItem); // owned by the model
    int row = 0;
    const auto show = [&](const RecipeFinder::Recipe& recipe, const QString& missing) {
        QStandardItem* item = m_results->item(row++);
        item->setData(recipe.title, Qt::DisplayRole);
        item->setData(recipe.path, PathRole);
        item->setData(missing.isEmpty() ? QString() : tr("missing: %1").arg(missing), MissingRole);
    };
    for (int position : result.matches)
        show(result.collection->at(position), QString());
    for (const auto& [position, missing] : result.nearMatches)
        show(result.collection->at(position), m_ingredients.value(missing));
    setStatus(tr("%1 recipes").arg(result.matches.size()));
}

void RecipeSearch::setStatus(const QString& status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged();
}
