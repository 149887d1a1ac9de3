#include "export/exportflow.h"

#include "export/recipeexport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool save(const QString& target, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return false;
    QSaveFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

const char* suffixOf(ExportFlow::Format format)
{
    switch (format) {
    case ExportFlow::Format::Html:
        return "html";
    case ExportFlow::Format::Pdf:
        return "pdf";
    case ExportFlow::Format::JsonLd:
        break;
    }
    return "json";
}

} // namespace

ExportFlow::ExportFlow(QWidget* dialogParent)
    : m_dialogParent(dialogParent)
{
    setUpDialogs();
}

void ExportFlow::setUpDialogs()
{
    m_ask = [this](const QString& suggested, Format* format) {
        const QString html = QStringLiteral("HTML page (*.html)");
        const QString pdf = QStringLiteral("PDF (*.pdf)");
        const QString json = QStringLiteral("JSON-LD (*.json)");
        QString chosen = html;
        const QString path = QFileDialog::getSaveFileName(
            m_dialogParent, QStringLiteral("Export Recipe"), suggested,
            QStringList{html, pdf, json}.join(QLatin1String(";;")), &chosen);
        *format = chosen == pdf ? Format::Pdf : chosen == json ? Format::JsonLd : Format::Html;
        return path;
    };
}

bool ExportFlow::writeOne(const QString& recipePath, const QString& target, Format format)
{
    switch (format) {
    case Format::Html:
        return save(target, recipeHtml(recipePath));
    case Format::Pdf:
        return writeRecipePdf(recipePath, target);
    case Format::JsonLd:
        break;
    }
    return save(target, recipeJsonLd(recipePath));
}

int ExportFlow::writeEach(const QStringList& recipePaths, const QString& folder, Format format)
{
    int written = 0;
    for (const QString& recipe : recipePaths) {
        const QString target = QDir(folder).filePath(
            RecipeExport::fileNameFor(recipe, QLatin1String(suffixOf(format))));
        written += writeOne(recipe, target, format) ? 1 : 0;
    }
    return written;
}

void ExportFlow::exportRecipes(const QStringList& recipePaths)
{
    if (recipePaths.isEmpty()) {
        emit message(QStringLiteral("No recipe to export"));
        return;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    Format format = Format::Html;
    const QString target = m_ask(QDir(documents).filePath(RecipeExport::fileNameFor(
                                     recipePaths.first(), QStringLiteral("html"))),
                                 &format);
    if (target.isEmpty()) {
        emit message(QStringLiteral("Cancelled"));
        return;
    }
    int written = 0;
    if (recipePaths.size() == 1)
        written = writeOne(recipePaths.first(), target, format) ? 1 : 0;
    else if (format == Format::JsonLd)
        written =
            save(target, RecipeExport::jsonLdArray(recipePaths)) ? int(recipePaths.size()) : 0;
    else
        written = writeEach(recipePaths, QFileInfo(target).absolutePath(), format);
    emit message(written > 0 ? QStringLiteral("Exported %1 recipes").arg(written)
                             : QStringLiteral("Nothing exported to %1").arg(target));
}
