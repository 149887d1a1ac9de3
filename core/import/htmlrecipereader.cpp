#include "import/htmlrecipereader.h"

#include "files/safefile.h"
#include "import/headingsreader.h"
#include "import/importcleanup.h"
#include "import/importlimits.h"
#include "import/importtext.h"
#include "import/inlinestatereader.h"
#include "import/lenientjson.h"
#include "import/microdatareader.h"
#include "import/pluginrecipereader.h"
#include "import/schemarecipereader.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

bool isPictureSuffix(const QString& suffix)
{
    static const QStringList suffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("png"), QStringLiteral("webp"),
                                         QStringLiteral("gif")};
    return suffixes.contains(suffix.toLower());
}

QString fileNameOf(const QString& address)
{
    const QString path = QUrl(address).path();
    return QUrl::fromPercentEncoding(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toUtf8());
}

} // namespace

QList<ImportedRecipe> HtmlRecipeReader::read(const QByteArray& html, const QString& pagePath)
{
    if (html.size() > ImportLimits::pageBytes)
        return {};
    const HtmlTree tree(html);
    HtmlTree::Node* root = tree.root();
    if (!root)
        return {};
    QList<ImportedRecipe> recipes = fromJsonLd(root);
    if (recipes.isEmpty())
        recipes = fromMicrodata(root);
    if (recipes.isEmpty()) {
        // Plugin markup, then a script framework's state, then headings.
        const QString title = pageTitle(root);
        ImportedRecipe recipe = PluginRecipeReader::read(root, title);
        if (recipe.title.isEmpty())
            recipe = InlineStateReader::read(root);
        if (recipe.title.isEmpty())
            recipe = HeadingsReader::read(root, title);
        if (!recipe.title.isEmpty())
            recipes.append(recipe);
    }
    const QString address = pageAddress(root);
    const QStringList sites = siteNames(root);
    for (ImportedRecipe& recipe : recipes) {
        if (recipe.source.isEmpty())
            recipe.source = address;
        ImportCleanup::tidy(recipe, sites);
        if (recipe.image.isEmpty())
            recipe.image = metaContent(root, QStringLiteral("og:image"));
        if (!pagePath.isEmpty())
            attachPicture(recipe, root, pagePath);
    }
    return recipes;
}

QList<ImportedRecipe> HtmlRecipeReader::fromJsonLd(HtmlTree::Node* root)
{
    QList<ImportedRecipe> out;
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (HtmlTree::name(node) != QLatin1String("script"))
            continue;
        const QString type = HtmlTree::attribute(node, "type").trimmed().toLower();
        if (!type.startsWith(QLatin1String("application/ld+json")))
            continue;
        const QJsonDocument document = LenientJson::parse(HtmlTree::text(node).toUtf8());
        out.append(SchemaRecipeReader::read(document));
        if (out.size() >= ImportLimits::recipesPerFile)
            break;
    }
    return out;
}

QList<ImportedRecipe> HtmlRecipeReader::fromMicrodata(HtmlTree::Node* root)
{
    QList<ImportedRecipe> out;
    for (ImportedRecipe& recipe : MicrodataReader::read(root)) {
        // Microdata that names the recipe but not its ingredients: the
        // page's headings give them.
        if (recipe.ingredients.isEmpty()) {
            const ImportedRecipe headings = HeadingsReader::read(root, recipe.title);
            recipe.ingredients = headings.ingredients;
            if (recipe.steps.isEmpty())
                recipe.steps = headings.steps;
        }
        if (!recipe.ingredients.isEmpty() || !recipe.steps.isEmpty())
            out.append(recipe);
    }
    return out;
}

QStringList HtmlRecipeReader::siteNames(HtmlTree::Node* root)
{
    // One walk for all the names: pages are large, the walk is not free.
    static const QStringList properties = {QStringLiteral("og:site_name"),
                                           QStringLiteral("application-name"),
                                           QStringLiteral("apple-mobile-web-app-title")};
    QStringList out;
    QString title;
    QString heading;
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        const QString element = HtmlTree::name(node);
        if (element == QLatin1String("title") && title.isEmpty())
            title = ImportText::line(HtmlTree::text(node));
        else if (element == QLatin1String("h1") && heading.isEmpty())
            heading = ImportText::line(HtmlTree::readableText(node));
        if (element != QLatin1String("meta"))
            continue;
        const QString property = HtmlTree::attribute(node, "property");
        if (!properties.contains(property) &&
            !properties.contains(HtmlTree::attribute(node, "name")))
            continue;
        const QString name = ImportText::line(HtmlTree::attribute(node, "content"));
        if (!name.isEmpty() && !out.contains(name))
            out.append(name);
    }
    // "<title>Knoblauchsuppe - Landküche</title>" over "<h1>Knoblauchsuppe</h1>":
    // what the title adds after a separator is the site.
    if (!heading.isEmpty() && title.size() > heading.size() && title.startsWith(heading)) {
        const QString rest = title.mid(heading.size()).trimmed();
        if (!rest.isEmpty() && QStringLiteral("|-–—·•:»").contains(rest.front())) {
            const QString site = rest.mid(1).trimmed();
            if (!site.isEmpty() && site.size() <= 60)
                out.append(site);
        }
    }
    return out;
}

QString HtmlRecipeReader::metaContent(HtmlTree::Node* root, const QString& property)
{
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (HtmlTree::name(node) != QLatin1String("meta"))
            continue;
        if (HtmlTree::attribute(node, "property") == property ||
            HtmlTree::attribute(node, "name") == property)
            return ImportText::line(HtmlTree::attribute(node, "content"));
    }
    return {};
}

QString HtmlRecipeReader::pageTitle(HtmlTree::Node* root)
{
    const QString ogTitle = metaContent(root, QStringLiteral("og:title"));
    if (!ogTitle.isEmpty())
        return ogTitle;
    QString title;
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        const QString name = HtmlTree::name(node);
        if (name == QLatin1String("h1"))
            return ImportText::line(HtmlTree::readableText(node));
        if (name == QLatin1String("title") && title.isEmpty())
            title = ImportText::line(HtmlTree::text(node));
    }
    return title;
}

QString HtmlRecipeReader::pageAddress(HtmlTree::Node* root)
{
    const QString ogUrl = metaContent(root, QStringLiteral("og:url"));
    if (!ogUrl.isEmpty())
        return ogUrl;
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (HtmlTree::name(node) == QLatin1String("link") &&
            HtmlTree::attribute(node, "rel").trimmed().toLower() == QLatin1String("canonical"))
            return HtmlTree::attribute(node, "href").trimmed();
    }
    return {};
}

QString HtmlRecipeReader::localPicture(HtmlTree::Node* root, const QString& pagePath,
                                       const QString& address)
{
    const QString wanted = fileNameOf(address);
    if (wanted.isEmpty())
        return {};
    const QDir pageFolder = QFileInfo(pagePath).absoluteDir();
    const QString folder = pageFolder.canonicalPath();
    for (HtmlTree::Node* node : HtmlTree::elements(root)) {
        if (HtmlTree::name(node) != QLatin1String("img"))
            continue;
        const QString source = HtmlTree::attribute(node, "src").trimmed();
        const QUrl url(source);
        // Only relative references: the browser rewrote them to the folder
        // it saved the pictures in.
        if (source.isEmpty() || !url.isRelative() || source.startsWith(QLatin1Char('/')) ||
            fileNameOf(source) != wanted)
            continue;
        const QString path =
            QFileInfo(pageFolder.filePath(QUrl::fromPercentEncoding(url.path().toUtf8())))
                .canonicalFilePath();
        if (!path.isEmpty() && path.startsWith(folder + QLatin1Char('/')))
            return path;
    }
    return {};
}

void HtmlRecipeReader::attachPicture(ImportedRecipe& recipe, HtmlTree::Node* root,
                                     const QString& pagePath)
{
    QString path = localPicture(root, pagePath, recipe.image);
    if (path.isEmpty())
        path = localPicture(root, pagePath, metaContent(root, QStringLiteral("og:image")));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (path.isEmpty() || !isPictureSuffix(suffix))
        return;
    const QByteArray bytes = SafeFile::readAll(path, ImportLimits::pictureBytes);
    if (bytes.isEmpty())
        return;
    recipe.pictureData = bytes;
    recipe.pictureSuffix = suffix == QLatin1String("jpeg") ? QStringLiteral("jpg") : suffix;
}
