#pragma once

#include <QQuickImageProvider>
#include <QString>

class QUrl;

// Loads the pictures of a recipe shown by a page. Qt Quick's text item loads
// the pictures a Markdown text names by itself, synchronously and from any
// path: a FIFO blocks it for good, a device feeds it without end. The page
// therefore shows recipes whose local pictures are redirected to this
// provider, which reads only regular files of a bounded size, never through
// a call that could wait. A refused picture is a blank pixel.
class RecipeImageProvider : public QQuickImageProvider
{
public:
    // The provider's name in "image://<name>/..." URLs.
    static QString name();

    RecipeImageProvider();

    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

    // `markdown` with every picture that names a local file (relative to
    // `base`, absolute, or a file URL) redirected to this provider, which
    // shows it at most `width` pixels wide when `width` is positive. Text
    // without pictures comes back unchanged.
    static QString redirectPictures(const QString& markdown, const QUrl& base, int width = 0);
};
