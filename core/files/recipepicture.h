#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The pictures a recipe names, as both programs show them. Only regular files
// of at most SafeFile::imageSizeLimit bytes are read, never through a call
// that could wait on a FIFO or a device; whatever is refused, missing or
// cannot be decoded stands as one blank pixel. The pixel is never a null
// image: for a null picture Qt's text views try the reference themselves.
class RecipePicture
{
public:
    static QImage fromFile(const QString& localPath);
    static QImage fromBytes(const QByteArray& bytes);
    static QImage blank();

    // Why bytes that are there give no picture ("Unsupported image format"),
    // or nothing when they decode.
    static QString problemWith(const QByteArray& bytes);
};
