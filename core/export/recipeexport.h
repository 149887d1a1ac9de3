#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

struct RecipeOutline;

// A recipe file written out for anyone to read or import: schema.org JSON-LD,
// one self-contained HTML page or a PDF as printed. The recipe is read as the
// views read it (within SafeFile's limits, pictures through RecipePicture);
// a path that gives no readable recipe exports nothing.
class RecipeExport
{
public:
    static QJsonObject jsonLdObject(const QString& recipePath);
    static QByteArray jsonLd(const QString& recipePath);
    // A JSON-LD array of every readable recipe among the paths.
    static QByteArray jsonLdArray(const QStringList& recipePaths);
    static QByteArray html(const QString& recipePath);
    static bool writePdf(const QString& recipePath, const QString& pdfPath);

    // "PT1H10M" for 4200 seconds; empty for 0.
    static QString isoDuration(int seconds);
    // The file name an export of the recipe takes: its title made safe for
    // any file system, with `suffix` ("html").
    static QString fileNameFor(const QString& recipePath, const QString& suffix);

private:
    static bool readRecipe(const QString& recipePath, QString* text);
    static QJsonObject objectOf(const RecipeOutline& outline, const QString& recipePath);
    static QJsonArray instructionsOf(const RecipeOutline& outline);
    static void addTimes(const RecipeOutline& outline, QJsonObject& object);
    static QByteArray scriptSafe(const QByteArray& json);
};

// The recipe at `recipePath` as a schema.org Recipe in JSON-LD; empty when
// there is no readable recipe there.
QByteArray recipeJsonLd(const QString& recipePath);
// The recipe as one UTF-8 HTML page with its pictures and its JSON-LD inside.
QByteArray recipeHtml(const QString& recipePath);
// The recipe as printed, pictures fitted to the page; false when nothing
// could be written.
bool writeRecipePdf(const QString& recipePath, const QString& pdfPath);
