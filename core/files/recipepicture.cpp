#include "files/recipepicture.h"

#include "files/safefile.h"

#include <QBuffer>
#include <QImageReader>

QImage RecipePicture::fromFile(const QString& localPath)
{
    return fromBytes(SafeFile::readAll(localPath, SafeFile::imageSizeLimit));
}

QImage RecipePicture::fromBytes(const QByteArray& bytes)
{
    // Qt's image reader refuses to allocate more than its limit (128 MiB), so
    // a small file that claims a huge picture cannot exhaust memory either.
    QImage image = QImage::fromData(bytes);
    return image.isNull() ? blank() : image;
}

QImage RecipePicture::blank()
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QString RecipePicture::problemWith(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (reader.canRead() && reader.size().isValid())
        return QString();
    return reader.errorString();
}
