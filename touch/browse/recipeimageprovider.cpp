#include "browse/recipeimageprovider.h"

#include "files/recipepicture.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace {

// "image://recipepicture/<path>", the path percent-encoded as UTF-8 so that
// any character survives ('#', '%', '?', '&', blanks, CJK), and the widest
// the picture may be shown, when there is a limit.
QString providerUrl(const QString& localPath, int width)
{
    QString url = QStringLiteral("image://%1/%2")
                      .arg(RecipeImageProvider::name(),
                           QString::fromLatin1(QUrl::toPercentEncoding(localPath.mid(1), "/")));
    if (width > 0)
        url += QStringLiteral("?width=%1").arg(width);
    return url;
}

const QString widthQuery = QStringLiteral("?width=");

// Qt Quick draws a picture that is all there is of a list item above its own
// line, over the step before it. A line break before the picture gives the
// number a line of its own and the picture its place below it.
bool separatePicturesFromListNumbers(QTextDocument& document)
{
    bool changed = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.textList())
            continue;
        const QString text = block.text();
        if (text.isEmpty() || text.count(QChar::ObjectReplacementCharacter) != text.size())
            continue;
        QTextCursor cursor(block);
        cursor.insertText(QString(QChar::Nbsp), QTextCharFormat());
        changed = true;
    }
    return changed;
}

// Renames every local picture in `document`; answers whether there was one.
bool redirectLocalPictures(QTextDocument& document, const QUrl& base, int width)
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
            image.setName(providerUrl(resolved.toLocalFile(), width));
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
    // The engine hands the id over with what it may show decoded (non-ASCII
    // characters, blanks) and the rest still percent-encoded.
    QString encoded = id;
    int width = 0;
    const qsizetype query = encoded.lastIndexOf(widthQuery);
    if (query >= 0) {
        width = encoded.sliced(query + widthQuery.size()).toInt();
        encoded.truncate(query);
    }
    const QString path = QLatin1Char('/') + QUrl::fromPercentEncoding(encoded.toUtf8());
    QImage image = RecipePicture::fromFile(path);
    if (requestedSize.isValid())
        image = image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    else if (width > 0 && image.width() > width)
        image = image.scaledToWidth(width, Qt::SmoothTransformation);
    if (size)
        *size = image.size();
    return image;
}

QString RecipeImageProvider::redirectPictures(const QString& markdown, const QUrl& base, int width)
{
    // Cheap test first: most recipes have no picture at all, and they are
    // handed on exactly as written.
    if (!markdown.contains(QLatin1String("![")) &&
        !markdown.contains(QLatin1String("<img"), Qt::CaseInsensitive))
        return markdown;
    // A document that is never laid out loads no picture.
    QTextDocument document;
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    const bool redirected = redirectLocalPictures(document, base, width);
    const bool separated = separatePicturesFromListNumbers(document);
    if (!redirected && !separated)
        return markdown;
    return document.toMarkdown(QTextDocument::MarkdownDialectGitHub);
}
