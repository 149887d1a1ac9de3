#pragma once

#include <QObject>
#include <QString>

// The text a page shows for a file path: the file's content, or the built-in
// introduction when there is no file. Read afresh on every access.
class DocumentLoader : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY changed)
    Q_PROPERTY(QString text READ text NOTIFY changed)
public:
    explicit DocumentLoader(QObject* parent = nullptr);
    ~DocumentLoader() override;

    QString path() const;
    void setPath(const QString& path);

    QString text() const;
    // The text as a page shows it: the pictures it names on this computer are
    // loaded by the program's safe picture provider.
    Q_INVOKABLE QString textForDisplay() const;

signals:
    void changed();

private:
    QString m_path;
};
