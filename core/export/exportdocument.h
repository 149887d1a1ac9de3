#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

// A recipe rendered as the programs render it, ready to leave the program:
// its Markdown laid out by Qt and every picture it names replaced by a copy
// that travels with it, a data URL of at most `maxPictureSide` pixels a side.
// Pictures are read only as the views read them (regular files within
// SafeFile's limit, through RecipePicture); anything refused, missing or
// remote stands as a blank pixel. Nothing is ever loaded from the files
// system or the network while the document is laid out or printed.
class ExportDocument : public QTextDocument
{
    Q_OBJECT
public:
    static constexpr int maxPictureSide = 1600;

    // `recipePath` is where the text was read: pictures are found beside it.
    ExportDocument(const QString& markdown, const QString& recipePath);

    // Shows every picture at most `width` wide (in the document's pixels), in
    // its own proportions.
    void fitPictures(qreal width);

    // A picture as a data URL of at most maxPictureSide pixels a side:
    // JPEG, or PNG when it has transparency. Empty for a null image.
    static QString dataUrl(const QImage& image);
    // The picture at `reference` as written in the recipe at `recipePath`, as
    // the views would show it; a null image when it cannot be shown.
    static QImage pictureFor(const QString& reference, const QString& recipePath);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    struct Placed
    {
        int position = 0;
        int length = 0;
        QTextImageFormat format;
    };
    // The picture as it travels: at most maxPictureSide pixels a side.
    static QImage travelling(const QImage& image);
    QList<Placed> placedPictures() const;
    void setFormat(const Placed& picture);
    void embedPictures(const QString& recipePath);

    QHash<QUrl, QImage> m_pictures; // by the data URL standing in the text
};
