#include "import/knownrecipes.h"

#include "files/safefile.h"
#include "recipe/ingredientsections.h"
#include "recipe/recipeparser.h"
#include "recipe/recipesections.h"
#include "text/textfolding.h"

#include <QUrl>

KnownRecipes::KnownRecipes(QHash<QString, QString> titlesByPath,
                           QHash<QString, QString> sourcesByPath)
    : m_titlesByPath(std::move(titlesByPath))
    , m_sourcesByPath(std::move(sourcesByPath))
{}

QString KnownRecipes::sourceKey(const QString& address)
{
    const QString trimmed = address.trimmed();
    const QUrl url(trimmed, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return trimmed;
    QString host = url.host().toLower();
    if (host.startsWith(QLatin1String("www.")))
        host.remove(0, 4);
    QString path = url.path(QUrl::FullyDecoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString query = url.query(QUrl::FullyDecoded);
    return host + path + (query.isEmpty() ? QString() : QLatin1Char('?') + query);
}

QString KnownRecipes::titleKey(const QString& title)
{
    return TextFolding::foldCase(title.simplified());
}

QStringList KnownRecipes::ingredientKeys(const QStringList& lines)
{
    QStringList keys;
    for (const QString& line : lines) {
        const QString key = TextFolding::foldCase(line.simplified());
        if (!key.isEmpty())
            keys.append(key);
    }
    return keys;
}

void KnownRecipes::indexRecipe(const QString& path, const QString& title, const QString& source)
{
    m_pathsByTitle.insert(titleKey(title), path);
    if (!source.trimmed().isEmpty())
        m_pathsBySource.insert(sourceKey(source), path);
}

void KnownRecipes::index()
{
    if (std::exchange(m_indexed, true))
        return;
    m_pathsByTitle.reserve(m_titlesByPath.size());
    for (auto it = m_titlesByPath.cbegin(); it != m_titlesByPath.cend(); ++it)
        indexRecipe(it.key(), it.value(), m_sourcesByPath.value(it.key()));
    for (const QString& path : std::as_const(m_added))
        indexAdded(path);
}

void KnownRecipes::indexAdded(const QString& path)
{
    SafeFile file(path);
    if (!file.isOpen())
        return;
    const ParsedRecipe parsed = parseRecipe(&file.file());
    indexRecipe(path, parsed.title, parsed.otherMeta.value(QStringLiteral("source")).value(0));
}

void KnownRecipes::addFile(const QString& path)
{
    m_added.append(path);
    if (!m_indexed)
        return; // read with the rest on the first question
    m_indexed = false;
    indexAdded(path);
    m_indexed = true;
}

bool KnownRecipes::sameIngredients(const QString& path, const QStringList& keys)
{
    SafeFile file(path);
    if (!file.isOpen())
        return false;
    QStringList lines;
    IngredientSections::forEachLine(&file.file(), [&lines](QByteArrayView line) {
        const QString text = QString::fromUtf8(line);
        const qsizetype start = RecipeSections::listItemTextStart(QStringView(text));
        if (start >= 0)
            lines.append(text.mid(start));
    });
    return ingredientKeys(lines) == keys;
}

QString KnownRecipes::find(const ImportedRecipe& recipe)
{
    index();
    if (!recipe.source.trimmed().isEmpty()) {
        const QString path = m_pathsBySource.value(sourceKey(recipe.source));
        if (!path.isEmpty())
            return path;
    }
    // A title alone is no proof: two cooks' "Pancakes" differ in what they list.
    const QStringList keys = ingredientKeys(recipe.ingredients);
    const QList<QString> candidates = m_pathsByTitle.values(titleKey(recipe.title));
    for (const QString& path : candidates) {
        if (sameIngredients(path, keys))
            return path;
    }
    return {};
}
