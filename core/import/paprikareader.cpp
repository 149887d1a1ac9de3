#include "import/paprikareader.h"

#include "import/durationtext.h"
#include "import/importlimits.h"
#include "import/importtext.h"
#include "import/lenientjson.h"

#include <QJsonArray>

namespace {

QString text(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? QString::number(value.toDouble()) : value.toString();
}

// What the first bytes of a picture say it is.
QString pictureSuffix(const QByteArray& bytes)
{
    if (bytes.startsWith("\xff\xd8\xff"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return QStringLiteral("webp");
    if (bytes.startsWith("GIF8"))
        return QStringLiteral("gif");
    return {};
}

} // namespace

ImportedRecipe PaprikaReader::recipeFrom(const QJsonObject& object)
{
    ImportedRecipe recipe;
    recipe.title = ImportText::line(text(object, "name"));
    QStringList description;
    for (const char* key : {"description", "notes"}) {
        const QString paragraphs = ImportText::paragraphs(text(object, key));
        if (!paragraphs.isEmpty())
            description.append(paragraphs);
    }
    recipe.description = description.join(QLatin1String("\n\n"));
    for (const QString& line : ImportText::lines(text(object, "ingredients")))
        recipe.ingredients.append(ImportText::ingredient(line));
    for (const QString& line : ImportText::lines(text(object, "directions")))
        recipe.steps.append({QString(), line});
    recipe.yield = ImportText::line(text(object, "servings"));
    recipe.totalSeconds = DurationText::seconds(text(object, "total_time"));
    recipe.prepSeconds = DurationText::seconds(text(object, "prep_time"));
    recipe.cookSeconds = DurationText::seconds(text(object, "cook_time"));
    const QJsonArray categories = object.value(QStringLiteral("categories")).toArray();
    for (const QJsonValue& category : categories) {
        const QString tag = ImportText::line(
            category.isObject() ? category.toObject().value(QStringLiteral("name")).toString()
                                : category.toString());
        if (!tag.isEmpty())
            recipe.tags.append(tag);
    }
    recipe.source = ImportText::line(text(object, "source_url"));
    recipe.author = ImportText::line(text(object, "source"));
    recipe.image = ImportText::line(text(object, "image_url"));
    attachPhoto(recipe, object);
    return recipe;
}

void PaprikaReader::attachPhoto(ImportedRecipe& recipe, const QJsonObject& object)
{
    const QString encoded = text(object, "photo_data");
    if (encoded.isEmpty() || encoded.size() > ImportLimits::pictureBytes * 4 / 3 + 4)
        return;
    const auto decoded = QByteArray::fromBase64Encoding(encoded.toLatin1());
    if (!decoded)
        return;
    const QString suffix = pictureSuffix(*decoded);
    if (suffix.isEmpty())
        return;
    recipe.pictureData = *decoded;
    recipe.pictureSuffix = suffix;
}

QList<ImportedRecipe> PaprikaReader::readSingle(const QByteArray& packed, QString* problem)
{
    ArchiveReader::Status status = ArchiveReader::Status::Ok;
    const QByteArray json = ArchiveReader::gunzip(packed, &status);
    if (status != ArchiveReader::Status::Ok) {
        if (problem)
            *problem = ArchiveReader::describe(status);
        return {};
    }
    const QJsonDocument document = LenientJson::parse(json);
    if (!document.isObject()) {
        if (problem)
            *problem = QStringLiteral("no recipe in the exported JSON");
        return {};
    }
    ImportedRecipe recipe = recipeFrom(document.object());
    if (recipe.title.isEmpty() || (recipe.ingredients.isEmpty() && recipe.steps.isEmpty())) {
        if (problem)
            *problem = QStringLiteral("the exported recipe is empty");
        return {};
    }
    return {recipe};
}

QList<ImportedRecipe> PaprikaReader::readArchive(const QString& path, QString* problem)
{
    QList<ImportedRecipe> out;
    QString lastProblem;
    const ArchiveReader::Status status =
        ArchiveReader::readZip(path, [&](const QString&, const QByteArray& data) {
            QString entryProblem;
            const QList<ImportedRecipe> recipes = readSingle(data, &entryProblem);
            if (!entryProblem.isEmpty())
                lastProblem = entryProblem;
            out.append(recipes);
            return out.size() < ImportLimits::recipesPerFile;
        });
    if (status != ArchiveReader::Status::Ok) {
        // A refused archive gives nothing, not the part read before the refusal.
        if (problem)
            *problem = ArchiveReader::describe(status);
        return {};
    }
    if (out.isEmpty() && problem)
        *problem = lastProblem.isEmpty() ? QStringLiteral("empty archive") : lastProblem;
    return out;
}
