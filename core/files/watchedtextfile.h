#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class CookbookFileWatcher;

// A UTF-8 text file of a program's own at a cookbook's root (the shopping
// list, the meal plan), which people and other devices edit too: read within
// a size limit, written whole with QSaveFile, and watched, the folder as well
// as the file, so that a save that renames a new file over it is seen. It
// knows the bytes last read or written, so that a file is taken again, and
// written, only when it differs from them.
class WatchedTextFile : public QObject
{
    Q_OBJECT
public:
    enum class Read { Missing, Text, Refused };
    enum class Change { Unchanged, Changed, Missing, Refused };

    WatchedTextFile(const QString& fileName, qint64 sizeLimit, QObject* parent = nullptr);
    ~WatchedTextFile() override;

    // The folder the file is in from now on; nothing is watched until watch()
    // and nothing is known of the file.
    void setFolder(const QString& folder);
    QString fileName() const { return m_fileName; }
    QString path() const;

    // The file's bytes and text; `reason` tells why a file is Refused.
    Read read(QByteArray* bytes, QString* text, QString* reason) const;
    // Reads the file; Changed, with its text, when it differs from what was
    // last read or written. A missing file is known as missing from then on.
    Change readIfChanged(QString* text, QString* reason);
    // Whether the file was there when last read or written.
    bool knownToExist() const { return m_knownExists; }
    // Replaces the file as a whole unless it holds these bytes already; false
    // when it cannot be written.
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
    QByteArray m_knownBytes;
    bool m_knownExists = false;
    std::unique_ptr<CookbookFileWatcher> m_watcher;
};
