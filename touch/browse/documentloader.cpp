#include "browse/documentloader.h"

#include "browse/recipeimageprovider.h"
#include "files/documentloading.h"
#include "text/markdownrendering.h"

#include <QQuickTextDocument>

#include <QUrl>

DocumentLoader::DocumentLoader(QObject* parent)
    : QObject(parent)
{}

DocumentLoader::~DocumentLoader() = default;

QString DocumentLoader::path() const
{
    return m_path;
}

void DocumentLoader::setPath(const QString& path)
{
    // Writing the empty path again still notifies, so that a help page can
    // have its bindings read the introduction anew.
    if (path == m_path && !m_path.isEmpty())
        return;
    m_path = path;
    emit changed();
}

QString DocumentLoader::text() const
{
    return loadDocumentText(m_path);
}

QString DocumentLoader::textForDisplay() const
{
    return RecipeImageProvider::redirectPictures(text(), QUrl::fromLocalFile(m_path),
                                                 m_pictureWidth);
}

void DocumentLoader::render(QQuickTextDocument* target, const QString& markdown) const
{
    if (target && target->textDocument())
        renderMarkdown(*target->textDocument(), markdown);
}

void DocumentLoader::setPictureWidth(int width)
{
    width = qMax(0, width);
    if (width == m_pictureWidth)
        return;
    m_pictureWidth = width;
    emit pictureWidthChanged();
}
