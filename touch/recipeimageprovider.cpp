#include "recipeimageprovider.h"

#include "files/recipepicture.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace {

QString providerUrl(const QString& localPath)
{
    return QStringLiteral("image://%1/%2")
        .arg(RecipeImageProvider::name(),
             QString::fromLatin1(QUrl::toPercentEncoding(localPath.mid(1), "/")));
}

// Renames every local picture in `document`; answers whether there was one.
bool redirectLocalPictures(QTextDocument& document, const QUrl& base)
{
    bool redirected = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat())
                continue;
            QTextImageFormat image = format.toImageFormat();
            const QUrl resolved = base.resolved(QUrl(image.name()));
            if (!resolved.isLocalFile())
                continue;
            image.setName(providerUrl(resolved.toLocalFile()));
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
            redirected = true;
        }
    }
    return redirected;
}

} // namespace

QString RecipeImageProvider::name()
{
    return QStringLiteral("recipepicture");
}

RecipeImageProvider::RecipeImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{}

QImage RecipeImageProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize)
{
    const QString path = QLatin1Char('/') + QUrl::fromPercentEncoding(id.toLatin1());
    QImage image = RecipePicture::fromFile(path);
    if (requestedSize.isValid())
        image = image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (size)
        *size = image.size();
    return image;
}

QString RecipeImageProvider::redirectPictures(const QString& markdown, const QUrl& base)
{
    // Cheap test first: most recipes have no picture at all, and they are
    // handed on exactly as written.
    if (!markdown.contains(QLatin1String("![")) &&
        !markdown.contains(QLatin1String("<img"), Qt::CaseInsensitive))
        return markdown;
    // A document that is never laid out loads no picture.
    QTextDocument document;
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (!redirectLocalPictures(document, base))
        return markdown;
    return document.toMarkdown(QTextDocument::MarkdownDialectGitHub);
}
