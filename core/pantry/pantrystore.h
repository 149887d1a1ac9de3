#pragma once

#include "pantry/pantryfile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class WatchedTextFile;

// The pantry of a program, kept as "pantry.md" at the root of the cookbook
// like the shopping list: read again whenever it changes on disk and before
// every write, with every line not ours written back. Where the folder cannot
// be written or the file cannot be read as text, the file is left alone and
// the pantry is kept in the program's own settings instead, said once.
//
// Every change names the item it changes by its text, so that it still means
// the same after the file was read again.
class PantryStore : public QObject
{
    Q_OBJECT
public:
    explicit PantryStore(QObject* parent = nullptr);
    ~PantryStore() override;

    void setCollectionPath(const QString& folder);
    QString collectionPath() const { return m_folder; }
    bool keptInFile() const { return m_inFile; }

    const PantryFile& pantry() const { return m_pantry; }

    // Adds what a line names ("500 g red lentils"): to the item of that name
    // whose amount it adds up with, else as an item of its own. An amount
    // added to an item held without one leaves it at "enough". False for a
    // line that names nothing.
    bool add(const QString& line);
    void remove(const QString& itemText);
    // Writes the item anew ("750 g red lentils"); false for a line that names
    // nothing or an item that is not there.
    bool replace(const QString& itemText, const QString& line);
    // Takes `amount` `unit` of `name` out, never below zero; an item used up
    // goes. Items held without an amount stay.
    void takeOut(const QString& name, const Amount& amount, const QString& unit);
    // Several changes written at once.
    void batch(const std::function<void()>& changes);

    bool readFileIfChanged();

    static QString fallbackMessage()
    {
        return QStringLiteral("The pantry is kept on this computer only: %1");
    }

signals:
    void changed();
    void message(const QString& text);

private:
    void change(const std::function<bool()>& apply);
    bool addTo(const QString& line);
    bool takeOutOf(const QString& name, const Amount& amount, const QString& unit);
    void keepInSettings(const QString& reason, bool keepCurrent);
    void loadSettings();
    void save();
    void onDiskChange();

    PantryFile m_pantry;
    QString m_folder;
    bool m_inFile = false;
    bool m_told = false;
    bool m_inBatch = false;
    std::unique_ptr<WatchedTextFile> m_file;
    // The text last read or written, whose other lines a writer keeps.
    QString m_knownText;
};
