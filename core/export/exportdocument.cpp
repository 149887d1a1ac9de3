#include "export/exportdocument.h"

#include "files/recipepicture.h"
#include "files/safefile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>

namespace {

// The picture a data URL in the recipe's own text carries (bounded by the text).
QByteArray dataUrlPayload(const QUrl& url)
{
    const QByteArray content = url.toEncoded();
    const qsizetype comma = content.indexOf(',');
    if (comma < 0)
        return {};
    const QByteArray payload = QByteArray::fromPercentEncoding(content.mid(comma + 1));
    return content.first(comma).endsWith(";base64") ? QByteArray::fromBase64(payload) : payload;
}

QImage decoded(const QByteArray& bytes)
{
    if (bytes.isEmpty() || !RecipePicture::problemWith(bytes).isEmpty())
        return {};
    return RecipePicture::fromBytes(bytes);
}

} // namespace

ExportDocument::ExportDocument(const QString& markdown, const QString& recipePath)
{
    setMetaInformation(QTextDocument::DocumentUrl, QUrl::fromLocalFile(recipePath).toString());
    setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    embedPictures(recipePath);
}

QImage ExportDocument::pictureFor(const QString& reference, const QString& recipePath)
{
    const QUrl url(reference);
    if (url.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0)
        return decoded(dataUrlPayload(url));
    if (!url.scheme().isEmpty() && !url.isLocalFile())
        return {}; // nothing from the network
    const QUrl resolved = QUrl::fromLocalFile(recipePath).resolved(url);
    if (!resolved.isLocalFile())
        return {};
    return decoded(SafeFile::readAll(resolved.toLocalFile(), SafeFile::imageSizeLimit));
}

QImage ExportDocument::travelling(const QImage& image)
{
    if (image.width() <= maxPictureSide && image.height() <= maxPictureSide)
        return image;
    return image.scaled(maxPictureSide, maxPictureSide, Qt::KeepAspectRatio,
                        Qt::SmoothTransformation);
}

QString ExportDocument::dataUrl(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage shown = travelling(image);
    const bool transparent = shown.hasAlphaChannel();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    shown.save(&buffer, transparent ? "PNG" : "JPEG", transparent ? -1 : 85);
    return QLatin1String(transparent ? "data:image/png;base64," : "data:image/jpeg;base64,") +
           QString::fromLatin1(bytes.toBase64());
}

QList<ExportDocument::Placed> ExportDocument::placedPictures() const
{
    QList<Placed> placed;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                placed.append({fragment.position(), fragment.length(),
                               fragment.charFormat().toImageFormat()});
        }
    }
    return placed;
}

void ExportDocument::setFormat(const Placed& picture)
{
    QTextCursor cursor(this);
    cursor.setPosition(picture.position);
    cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(picture.format);
}

void ExportDocument::embedPictures(const QString& recipePath)
{
    // Collected first: changing formats while walking the fragments would
    // merge them under the walk.
    QHash<QString, QString> urls; // a picture named twice is read once
    for (Placed picture : placedPictures()) {
        const QString reference = picture.format.name();
        if (!urls.contains(reference)) {
            QImage image = travelling(pictureFor(reference, recipePath));
            if (image.isNull())
                image = RecipePicture::blank();
            const QString url = dataUrl(image);
            m_pictures.insert(QUrl(url), image);
            urls.insert(reference, url);
        }
        picture.format.setName(urls.value(reference));
        setFormat(picture);
    }
}

void ExportDocument::fitPictures(qreal width)
{
    for (Placed picture : placedPictures()) {
        const QImage image = m_pictures.value(QUrl(picture.format.name()));
        if (image.isNull() || image.width() <= width)
            continue;
        picture.format.setWidth(width);
        picture.format.setHeight(image.height() * width / image.width());
        setFormat(picture);
    }
}

QVariant ExportDocument::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::ImageResource)
        return m_pictures.value(name, RecipePicture::blank());
    return {};
}
