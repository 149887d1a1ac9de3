#include "import/recipeimporter.h"

#include "files/safefile.h"
#include "import/cooklangreader.h"
#include "import/htmlrecipereader.h"
#include "import/importcleanup.h"
#include "import/importlimits.h"
#include "import/lenientjson.h"
#include "import/paprikareader.h"
#include "import/plaintextreader.h"
#include "import/schemarecipereader.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum class Kind { None, Page, Json, PaprikaArchive, PaprikaRecipe, Cooklang };

Kind kindOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm") ||
        suffix == QLatin1String("xhtml"))
        return Kind::Page;
    if (suffix == QLatin1String("json"))
        return Kind::Json;
    if (suffix == QLatin1String("paprikarecipes"))
        return Kind::PaprikaArchive;
    if (suffix == QLatin1String("paprikarecipe"))
        return Kind::PaprikaRecipe;
    if (suffix == QLatin1String("cook"))
        return Kind::Cooklang;
    return Kind::None;
}

QString problemOf(const SafeFile& file, qint64 limit)
{
    switch (file.status()) {
    case SafeFile::Status::Opened:
        return {};
    case SafeFile::Status::Missing:
        return QStringLiteral("not found");
    case SafeFile::Status::NotRegular:
        return QStringLiteral("not a regular file");
    case SafeFile::Status::TooLarge:
        return QStringLiteral("larger than %1 MiB").arg(limit / (1024 * 1024));
    case SafeFile::Status::Unreadable:
        return QStringLiteral("cannot be read");
    }
    return {};
}

// The whole file within `limit`, or a problem.
QByteArray readWithin(const QString& path, qint64 limit, QString& problem)
{
    SafeFile file(path, limit);
    problem = problemOf(file, limit);
    if (!file.isOpen())
        return {};
    QByteArray bytes = file.size() > 0 ? file.file().read(file.size()) : QByteArray("");
    if (bytes.isNull())
        problem = QStringLiteral("cannot be read");
    return bytes;
}

const QString noRecipe = QStringLiteral("no recipe found");

// A folder of pictures a browser saved beside "Page.html" ("Page_files",
// "Page-Dateien", "Page_fichiers"...): its pages are parts of that page.
bool isSavedPageFolder(const QFileInfo& folder)
{
    const QString name = folder.fileName();
    const QDir parent = folder.dir();
    for (const QString& separator : {QStringLiteral("_"), QStringLiteral("-")}) {
        const qsizetype cut = name.lastIndexOf(separator);
        if (cut <= 0)
            continue;
        const QString base = name.left(cut);
        for (const char* suffix : {".html", ".htm", ".xhtml"}) {
            if (parent.exists(base + QLatin1String(suffix)))
                return true;
        }
    }
    return false;
}

} // namespace

bool RecipeImporter::isImportable(const QString& path)
{
    return kindOf(path) != Kind::None;
}

RecipeImporter::Result RecipeImporter::importFile(const QString& path)
{
    switch (kindOf(path)) {
    case Kind::Page:
        return importPage(path);
    case Kind::Json:
        return importJson(path);
    case Kind::Cooklang:
        return importCooklang(path);
    case Kind::PaprikaArchive: {
        Result result;
        result.recipes = PaprikaReader::readArchive(path, &result.problem);
        return result;
    }
    case Kind::PaprikaRecipe: {
        Result result;
        const QByteArray packed = readWithin(path, ImportLimits::entryBytes, result.problem);
        if (!packed.isNull())
            result.recipes = PaprikaReader::readSingle(packed, &result.problem);
        return result;
    }
    case Kind::None:
        break;
    }
    return {{}, QStringLiteral("not a kind of file recipes are imported from")};
}

RecipeImporter::Result RecipeImporter::importPage(const QString& path)
{
    Result result;
    const QByteArray html = readWithin(path, ImportLimits::pageBytes, result.problem);
    if (html.isNull())
        return result;
    result.recipes = HtmlRecipeReader::read(html, path);
    if (result.recipes.isEmpty())
        result.problem = noRecipe;
    return result;
}

RecipeImporter::Result RecipeImporter::importJson(const QString& path)
{
    Result result;
    const QByteArray json = readWithin(path, ImportLimits::pageBytes, result.problem);
    if (json.isNull())
        return result;
    const QJsonDocument document = LenientJson::parse(json);
    if (document.isNull()) {
        result.problem = QStringLiteral("not readable as JSON");
        return result;
    }
    result.recipes = SchemaRecipeReader::read(document);
    // Some managers keep recipes without "@type": a lone object with a name
    // and ingredients is taken for one.
    if (result.recipes.isEmpty() && document.isObject()) {
        const ImportedRecipe recipe = SchemaRecipeReader::recipeFrom(document.object());
        if (!recipe.title.isEmpty() && (!recipe.ingredients.isEmpty() || !recipe.steps.isEmpty()))
            result.recipes.append(recipe);
    }
    if (result.recipes.isEmpty()) {
        result.problem = noRecipe;
        return result;
    }
    for (ImportedRecipe& recipe : result.recipes)
        ImportCleanup::tidy(recipe);
    if (result.recipes.size() == 1)
        attachFolderPicture(result.recipes.first(), path);
    return result;
}

void RecipeImporter::attachFolderPicture(ImportedRecipe& recipe, const QString& jsonPath)
{
    // A recipe folder: recipe.json beside "full.jpg" (and its thumbnails).
    const QFileInfo json(jsonPath);
    if (json.fileName().compare(QLatin1String("recipe.json"), Qt::CaseInsensitive) != 0)
        return;
    const QDir folder = json.dir();
    const QStringList pictures =
        folder.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                          QStringLiteral("*.png"), QStringLiteral("*.webp")},
                         QDir::Files, QDir::Name);
    QString chosen;
    qint64 largest = -1;
    for (const QString& name : pictures) {
        const QFileInfo picture(folder.filePath(name));
        if (picture.completeBaseName().compare(QLatin1String("full"), Qt::CaseInsensitive) == 0) {
            chosen = picture.filePath();
            break;
        }
        if (picture.size() > largest) {
            largest = picture.size();
            chosen = picture.filePath();
        }
    }
    if (chosen.isEmpty())
        return;
    const QByteArray bytes = SafeFile::readAll(chosen, ImportLimits::pictureBytes);
    if (bytes.isEmpty())
        return;
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    recipe.pictureData = bytes;
    recipe.pictureSuffix = suffix == QLatin1String("jpeg") ? QStringLiteral("jpg") : suffix;
}

RecipeImporter::Result RecipeImporter::importCooklang(const QString& path)
{
    Result result;
    const QByteArray text = readWithin(path, ImportLimits::pageBytes, result.problem);
    if (text.isNull())
        return result;
    QString title = QFileInfo(path).completeBaseName();
    const ImportedRecipe recipe = CooklangReader::read(QString::fromUtf8(text), title);
    if (recipe.title.isEmpty())
        result.problem = noRecipe;
    else
        result.recipes.append(recipe);
    return result;
}

QStringList RecipeImporter::filesIn(const QStringList& paths)
{
    QStringList out;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            out.append(info.absoluteFilePath());
            continue;
        }
        // Links are not followed: a folder can link to anything.
        QStringList pending{info.absoluteFilePath()};
        while (!pending.isEmpty()) {
            const QDir folder(pending.takeFirst());
            const QFileInfoList entries = folder.entryInfoList(
                QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
            for (const QFileInfo& entry : entries) {
                if (entry.isDir()) {
                    if (!isSavedPageFolder(entry))
                        pending.append(entry.absoluteFilePath());
                } else if (isImportable(entry.fileName())) {
                    out.append(entry.absoluteFilePath());
                }
            }
        }
    }
    return out;
}

QList<ImportedRecipe> RecipeImporter::importClipboard(const QString& html, const QString& text)
{
    if (!html.trimmed().isEmpty()) {
        const QList<ImportedRecipe> recipes = HtmlRecipeReader::read(html.toUtf8());
        if (!recipes.isEmpty())
            return recipes;
    }
    const ImportedRecipe recipe = PlainTextReader::read(text);
    if (recipe.title.isEmpty())
        return {};
    return {recipe};
}

QList<ImportedRecipe> importRecipes(const QString& path)
{
    return RecipeImporter::importFile(path).recipes;
}
