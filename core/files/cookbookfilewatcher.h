#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QFileSystemWatcher;

// Watches one file of the cookbook's own (the shopping list, the cooking
// journal) and the folder that holds it: the folder tells of the file made,
// removed or renamed over by another program's save, the file of changes in
// place. Each watch() renews the file's watch after such a rename.
class CookbookFileWatcher : public QObject
{
    Q_OBJECT
public:
    explicit CookbookFileWatcher(QObject* parent = nullptr);
    ~CookbookFileWatcher() override;

    void watch(const QString& folder, const QString& fileName);
    // Watches nothing. Safe while the watcher is reporting: it is emptied,
    // never destroyed here.
    void stop();

signals:
    void changed();

private:
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
