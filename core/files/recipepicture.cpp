#include "files/recipepicture.h"

#include "files/safefile.h"

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
