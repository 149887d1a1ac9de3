#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QFileSystemWatcher;

// A small UTF-8 file of the program's own at the root of a cookbook that
// people and other devices edit too ("shopping-list.md", "pantry.md"). It
// remembers the bytes last read or written, so that the file is taken in
// again only when someone else changed it, writes through QSaveFile so that
// a reader never sees half a file, and reports changes on disk.
class WatchedTextFile : public QObject
{
    Q_OBJECT
public:
    enum class Read { Missing, Text, Refused };

    WatchedTextFile(const QString& fileName, qint64 sizeLimit, QObject* parent = nullptr);
    ~WatchedTextFile() override;

    // The folder of the file from now on; what was known is forgotten and
    // nothing is watched until watch().
    void setFolder(const QString& folder);
    QString folder() const { return m_folder; }
    QString path() const;
    QString fileName() const { return m_fileName; }

    // Reads the file. Text replaces what is known, and `changed` tells
    // whether it differs from it; Missing forgets what was known; Refused
    // (too large, unreadable, not UTF-8) leaves it and says why in `reason`.
    Read read(bool* changed, QString* reason);
    bool knownExists() const { return m_knownExists; }
    // The text last read or written, whose other lines a writer keeps.
    const QString& knownText() const { return m_knownText; }

    // Writes `text` unless the file holds it already; false when it cannot.
    bool write(const QString& text);

    void watch();

    // The lines of a file's text without their ends and a byte order mark;
    // `crlf` tells whether it ends lines with CR LF. The end of the last
    // line is no line of its own.
    static QStringList linesOf(const QString& text, bool* crlf);

    // The watcher may be the one reporting: it is emptied, never destroyed.
    void unwatch();

signals:
    // The file or its folder changed on disk; a listener that still keeps the
    // file calls watch() again (a save by rename drops the watched file).
    void changedOnDisk();

private:
    void forget();

    QString m_fileName;
    qint64 m_sizeLimit;
    QString m_folder;
    QByteArray m_knownBytes;
    bool m_knownExists = false;
    QString m_knownText;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};
