#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QFileSystemWatcher;

// A UTF-8 text file of a program's own at a cookbook's root (the shopping
// list, the meal plan), which people and other devices edit too: read within
// a size limit, written whole with QSaveFile, and watched, the folder as well
// as the file, so that a save that renames a new file over it is seen.
class WatchedTextFile : public QObject
{
    Q_OBJECT
public:
    enum class Read { Missing, Text, Refused };

    WatchedTextFile(const QString& fileName, qint64 sizeLimit, QObject* parent = nullptr);
    ~WatchedTextFile() override;

    // The folder the file is in from now on; nothing is watched until watch().
    void setFolder(const QString& folder);
    QString fileName() const { return m_fileName; }
    QString path() const;

    // The file's bytes and text; `reason` tells why a file is Refused.
    Read read(QByteArray* bytes, QString* text, QString* reason) const;
    // Replaces the file as a whole; false when it cannot be written.
    bool write(const QByteArray& bytes);

    void watch();
    // Stops watching; safe while the watcher is the one reporting.
    void unwatch();

signals:
    // The file or its folder changed on disk; the watch is renewed already.
    void changedOnDisk();

private:
    void onChange();

    QString m_fileName;
    qint64 m_sizeLimit;
    QString m_folder;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
