#include "export/recipeexport.h"

#include "export/exportdocument.h"
#include "export/recipeoutline.h"
#include "files/documentloading.h"
#include "import/durationtext.h"
#include "recipe/recipefile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QUrl>

namespace {

QJsonObject typed(const char* type)
{
    return QJsonObject{{QStringLiteral("@type"), QLatin1String(type)}};
}

QJsonObject howToStep(const QString& text)
{
    QJsonObject step = typed("HowToStep");
    step.insert(QStringLiteral("text"), text);
    return step;
}

} // namespace

bool RecipeExport::readRecipe(const QString& recipePath, QString* text)
{
    // loadDocument shows the introduction for a path that names nothing;
    // an export needs the file itself.
    const LoadedDocument loaded = loadDocument(recipePath);
    if (recipePath.isEmpty() || loaded.status != SafeFile::Status::Opened)
        return false;
    *text = loaded.text;
    return true;
}

QString RecipeExport::isoDuration(int seconds)
{
    const int minutes = (seconds + 59) / 60;
    if (minutes <= 0)
        return {};
    QString out = QStringLiteral("PT");
    if (minutes >= 60)
        out += QString::number(minutes / 60) + QLatin1Char('H');
    if (minutes % 60 != 0)
        out += QString::number(minutes % 60) + QLatin1Char('M');
    return out;
}

QJsonArray RecipeExport::instructionsOf(const RecipeOutline& outline)
{
    // Steps under a sub-heading go into a HowToSection named after it.
    QJsonArray instructions;
    QJsonObject section;
    QJsonArray sectionSteps;
    auto closeSection = [&]() {
        if (section.isEmpty())
            return;
        section.insert(QStringLiteral("itemListElement"), sectionSteps);
        instructions.append(section);
        section = {};
        sectionSteps = {};
    };
    QString current;
    for (const RecipeOutline::Step& step : outline.steps) {
        if (step.section != current || (section.isEmpty() && !step.section.isEmpty())) {
            closeSection();
            current = step.section;
            if (!current.isEmpty()) {
                section = typed("HowToSection");
                section.insert(QStringLiteral("name"), current);
            }
        }
        if (section.isEmpty())
            instructions.append(howToStep(step.text));
        else
            sectionSteps.append(howToStep(step.text));
    }
    closeSection();
    return instructions;
}

void RecipeExport::addTimes(const RecipeOutline& outline, QJsonObject& object)
{
    const std::pair<const char*, const char*> times[] = {
        {"time", "totalTime"}, {"prep time", "prepTime"}, {"cook time", "cookTime"}};
    for (const auto& [key, property] : times) {
        const QString duration =
            isoDuration(DurationText::seconds(outline.meta(QLatin1String(key))));
        if (!duration.isEmpty())
            object.insert(QLatin1String(property), duration);
    }
}

QJsonObject RecipeExport::objectOf(const RecipeOutline& outline, const QString& recipePath)
{
    QJsonObject object{{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
                       {QStringLiteral("@type"), QStringLiteral("Recipe")},
                       {QStringLiteral("name"), outline.title}};
    if (!outline.description.isEmpty())
        object.insert(QStringLiteral("description"), outline.description);
    object.insert(QStringLiteral("recipeIngredient"),
                  QJsonArray::fromStringList(outline.ingredients));
    object.insert(QStringLiteral("recipeInstructions"), instructionsOf(outline));
    const QString servings = outline.meta(QStringLiteral("servings"));
    const QString yield = servings.isEmpty() ? outline.meta(QStringLiteral("yield")) : servings;
    if (!yield.isEmpty())
        object.insert(QStringLiteral("recipeYield"), yield);
    addTimes(outline, object);
    if (!outline.tags.isEmpty())
        object.insert(QStringLiteral("keywords"), outline.tags.join(QLatin1String(", ")));
    if (const QString author = outline.meta(QStringLiteral("author")); !author.isEmpty()) {
        QJsonObject person = typed("Person");
        person.insert(QStringLiteral("name"), author);
        object.insert(QStringLiteral("author"), person);
    }
    if (const QString source = outline.meta(QStringLiteral("source")); !source.isEmpty()) {
        // An address names the page it came from; anything else (a book) is
        // what the recipe is based on.
        const QUrl url(source, QUrl::StrictMode);
        const bool address = url.isValid() && url.scheme().startsWith(QLatin1String("http"));
        object.insert(QLatin1String(address ? "url" : "isBasedOn"), source);
    }
    for (const QString& reference : outline.pictures) {
        const QString url =
            ExportDocument::dataUrl(ExportDocument::pictureFor(reference, recipePath));
        if (!url.isEmpty()) {
            object.insert(QStringLiteral("image"), url);
            break;
        }
    }
    return object;
}

QJsonObject RecipeExport::jsonLdObject(const QString& recipePath)
{
    QString text;
    if (!readRecipe(recipePath, &text))
        return {};
    return objectOf(RecipeOutline::read(text, recipePath), recipePath);
}

QByteArray RecipeExport::jsonLd(const QString& recipePath)
{
    const QJsonObject object = jsonLdObject(recipePath);
    return object.isEmpty() ? QByteArray() : QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray RecipeExport::jsonLdArray(const QStringList& recipePaths)
{
    QJsonArray recipes;
    for (const QString& path : recipePaths) {
        const QJsonObject object = jsonLdObject(path);
        if (!object.isEmpty())
            recipes.append(object);
    }
    return QJsonDocument(recipes).toJson(QJsonDocument::Indented);
}

QByteArray RecipeExport::scriptSafe(const QByteArray& json)
{
    // "</script>" inside a string would end the block; "<\/" is the same
    // JSON text.
    QByteArray safe = json;
    return safe.replace("</", "<\\/");
}

QByteArray RecipeExport::html(const QString& recipePath)
{
    QString text;
    if (!readRecipe(recipePath, &text))
        return {};
    const RecipeOutline outline = RecipeOutline::read(text, recipePath);
    ExportDocument document(text, recipePath);
    QByteArray page = document.toHtml().toUtf8();
    // Qt writes a document's title as it stands; the title here is escaped.
    const QByteArray head =
        "<title>" + outline.title.toHtmlEscaped().toUtf8() + "</title>\n" +
        "<script type=\"application/ld+json\">\n" +
        scriptSafe(QJsonDocument(objectOf(outline, recipePath)).toJson(QJsonDocument::Compact)) +
        "\n</script>\n";
    const qsizetype headEnd = page.indexOf("</head>");
    page.insert(headEnd < 0 ? 0 : headEnd, head);
    return page;
}

bool RecipeExport::writePdf(const QString& recipePath, const QString& pdfPath)
{
    QString text;
    if (!readRecipe(recipePath, &text))
        return false;
    const RecipeOutline outline = RecipeOutline::read(text, recipePath);
    ExportDocument document(text, recipePath);
    {
        QPdfWriter writer(pdfPath);
        writer.setTitle(outline.title);
        writer.setCreator(QStringLiteral("Saltrove"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        // Printing lays the text out at 96 pixels an inch inside margins of 2 cm.
        const qreal pageWidth = writer.pageLayout().fullRect(QPageLayout::Inch).width() * 96;
        document.fitPictures(pageWidth - 2 * 96 * 2 / 2.54);
        document.print(&writer);
    } // the file is complete once the writer is gone
    return QFileInfo(pdfPath).size() > 0;
}

QString RecipeExport::fileNameFor(const QString& recipePath, const QString& suffix)
{
    QString stem = RecipeFile::stemOf(recipePath);
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    stem.replace(unsafe, QStringLiteral("-"));
    if (stem.isEmpty() || stem.startsWith(QLatin1Char('.')))
        stem.prepend(QStringLiteral("recipe"));
    return stem + QLatin1Char('.') + suffix;
}

QByteArray recipeJsonLd(const QString& recipePath)
{
    return RecipeExport::jsonLd(recipePath);
}

QByteArray recipeHtml(const QString& recipePath)
{
    return RecipeExport::html(recipePath);
}

bool writeRecipePdf(const QString& recipePath, const QString& pdfPath)
{
    return RecipeExport::writePdf(recipePath, pdfPath);
}
