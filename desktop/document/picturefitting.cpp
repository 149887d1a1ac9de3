#include "document/picturefitting.h"

#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

void PictureFitting::collect(QTextDocument& document)
{
    m_pictures.clear();
    m_width = -1;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat())
                continue;
            Picture picture;
            picture.position = fragment.position();
            picture.length = fragment.length();
            picture.written = format.toImageFormat();
            picture.shown = sizeAsWritten(document, picture.written);
            m_pictures.append(picture);
        }
    }
}

void PictureFitting::fit(QTextDocument& document, qreal width)
{
    if (width <= 0 || width == m_width)
        return;
    m_width = width;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const Picture& picture : std::as_const(m_pictures)) {
        QTextImageFormat format = picture.written;
        if (picture.shown.width() > width && picture.shown.width() > 0) {
            format.setWidth(width);
            format.setHeight(picture.shown.height() * width / picture.shown.width());
        }
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        // The picture itself is one character; a fragment of several is a
        // run of the same picture.
        cursor.setCharFormat(format);
    }
    cursor.endEditBlock();
}

// The size a picture has as the text writes it: its own, or the width and
// height the text gives, one of them following the other in proportion.
QSizeF PictureFitting::sizeAsWritten(QTextDocument& document, const QTextImageFormat& format)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image = qvariant_cast<QImage>(resource);
    if (image.isNull())
        image = qvariant_cast<QPixmap>(resource).toImage();
    QSizeF size = image.deviceIndependentSize();
    const bool hasWidth = format.hasProperty(QTextFormat::ImageWidth);
    const bool hasHeight = format.hasProperty(QTextFormat::ImageHeight);
    if (size.isEmpty())
        return QSizeF(hasWidth ? format.width() : 0, hasHeight ? format.height() : 0);
    if (hasWidth && hasHeight)
        return QSizeF(format.width(), format.height());
    if (hasWidth)
        return QSizeF(format.width(), format.width() * size.height() / size.width());
    if (hasHeight)
        return QSizeF(format.height() * size.width() / size.height(), format.height());
    return size;
}
