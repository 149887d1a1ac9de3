#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class ActiveDocumentListener;
class QFileSystemWatcher;

// The one recipe the content panes show. Holds its path, watches the file and
// tells every registered listener, in registration order, when the path is set
// and whenever the file changes on disk.
class ActiveDocument : public QObject
{
    Q_OBJECT
public:
    explicit ActiveDocument(QObject* parent = nullptr);
    ~ActiveDocument() override;

    void registerListener(ActiveDocumentListener* listener);
    QString path() const;

public slots:
    void openPath(const QString& file);

private slots:
    void checkedReload(const QString& path);

private:
    void notifyListeners();

    QString currentPath;
    QList<ActiveDocumentListener*> listeners; // not owned
    std::unique_ptr<QFileSystemWatcher> watcher;
};
