#pragma once

#include <QTextDocument>

// The rendered recipe. A recipe is text a stranger may have written, and the
// pictures it names are loaded here rather than by Qt's own loader: only
// regular files of a bounded size are read, never through a call that could
// wait on a FIFO or a device, wherever the reference points. A picture that
// is refused or cannot be decoded stands as a blank placeholder, so the rest
// of the recipe renders as usual.
class RecipeDocument : public QTextDocument
{
    Q_OBJECT
public:
    using QTextDocument::QTextDocument;

signals:
    // A picture that is there but cannot be shown: too large, or in a format
    // no image plugin reads. `name` is the picture's file name.
    void pictureRefused(const QString& name, const QString& reason);

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};
