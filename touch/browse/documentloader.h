#pragma once

#include <QObject>
#include <QString>

class QQuickTextDocument;

// The text a page shows for a file path: the file's content, or the built-in
// introduction when there is no file. Read afresh on every access.
class DocumentLoader : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY changed)
    Q_PROPERTY(QString text READ text NOTIFY changed)
    // The widest a picture is shown in textForDisplay(); 0 for no limit.
    Q_PROPERTY(int pictureWidth READ pictureWidth WRITE setPictureWidth NOTIFY pictureWidthChanged)
public:
    explicit DocumentLoader(QObject* parent = nullptr);
    ~DocumentLoader() override;

    QString path() const;
    void setPath(const QString& path);

    QString text() const;

    int pictureWidth() const { return m_pictureWidth; }
    void setPictureWidth(int width);
    // The text as a page shows it: the pictures it names on this computer are
    // loaded by the program's safe picture provider, at most pictureWidth wide.
    Q_INVOKABLE QString textForDisplay() const;
    // Puts `markdown` into a TextEdit's document, rendered as one edit (see
    // renderMarkdown): setting the TextEdit's text lays it out piece by piece.
    Q_INVOKABLE void render(QQuickTextDocument* target, const QString& markdown) const;

signals:
    void changed();
    void pictureWidthChanged();

private:
    QString m_path;
    int m_pictureWidth = 0;
};
