#pragma once

#include <QList>
#include <QSizeF>
#include <QTextImageFormat>

class QTextDocument;

// Keeps the pictures of a rendered document within a width: a phone photo
// 3000 pixels wide is shown as wide as the view (or the printed page), in
// its own proportions, and a smaller picture at its own size. The pictures
// are found once per text; fitting again to another width only touches them.
class PictureFitting
{
public:
    // Finds the pictures of `document` as it holds them now, at the sizes its
    // text gives them; call after every new text.
    void collect(QTextDocument& document);
    // Shows every picture at most `width` wide.
    void fit(QTextDocument& document, qreal width);

private:
    struct Picture
    {
        int position = 0;
        int length = 0;
        QTextImageFormat written; // as the text gave it
        QSizeF shown;             // the size it has at that format
    };
    static QSizeF sizeAsWritten(QTextDocument& document, const QTextImageFormat& format);

    QList<Picture> m_pictures;
    qreal m_width = -1;
};
