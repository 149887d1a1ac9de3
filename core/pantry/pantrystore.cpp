#include "pantry/pantrystore.h"

#include "files/watchedtextfile.h"
#include "pantry/pantryamounts.h"
#include "text/nameforms.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString itemsKey = QStringLiteral("Pantry/items");
constexpr int maxKeptItems = 5000;

} // namespace

PantryStore::PantryStore(QObject* parent)
    : QObject(parent)
    , m_file(std::make_unique<WatchedTextFile>(PantryFile::fileName(), PantryFile::sizeLimit))
{
    connect(m_file.get(), &WatchedTextFile::changedOnDisk, this, &PantryStore::onDiskChange);
    loadSettings();
}

PantryStore::~PantryStore() = default;

void PantryStore::setCollectionPath(const QString& folder)
{
    if (m_inFile && folder == m_folder) {
        readFileIfChanged();
        return;
    }
    m_file->setFolder(folder);
    m_folder = folder;
    m_inFile = false;
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        loadSettings();
        emit changed();
        return;
    }
    if (!info.isWritable()) {
        keepInSettings(QStringLiteral("the folder %1 cannot be written").arg(folder), false);
        return;
    }
    QString text;
    QString reason;
    if (m_file->readIfChanged(&text, &reason) == WatchedTextFile::Change::Refused) {
        keepInSettings(reason, false);
        return;
    }
    m_inFile = true;
    m_knownText = text;
    m_pantry = PantryFile::parse(m_knownText);
    m_file->watch();
    emit changed();
}

bool PantryStore::add(const QString& line)
{
    if (readIngredientLine(line).name.isEmpty())
        return false;
    change([&] { return addTo(line); });
    return true;
}

void PantryStore::remove(const QString& itemText)
{
    change([&] {
        const int index = m_pantry.indexOf(itemText);
        m_pantry.removeItem(index);
        return index >= 0;
    });
}

bool PantryStore::replace(const QString& itemText, const QString& line)
{
    if (readIngredientLine(line).name.isEmpty())
        return false;
    bool found = false;
    change([&] {
        const int index = m_pantry.indexOf(itemText);
        found = index >= 0;
        m_pantry.setItemText(index, line);
        return found;
    });
    return found;
}

void PantryStore::takeOut(const QString& name, const Amount& amount, const QString& unit)
{
    change([&] { return takeOutOf(name, amount, unit); });
}

void PantryStore::batch(const std::function<void()>& changes)
{
    readFileIfChanged();
    m_inBatch = true;
    changes();
    m_inBatch = false;
    save();
    emit changed();
}

bool PantryStore::addTo(const QString& line)
{
    const IngredientReading added = readIngredientLine(line);
    const QList<PantryItem>& items = m_pantry.items();
    bool named = false;
    for (int i = 0; i < items.size(); ++i) {
        const IngredientReading& item = items.at(i).reading;
        if (!NameForms::sameName(item.name, added.name))
            continue;
        named = true;
        if (!item.amount.isNumber())
            return false; // "enough" already
        const QString merged = PantryAmounts::withMore(item, added.amount, added.unit);
        if (!merged.isEmpty()) {
            m_pantry.setItemText(i, merged);
            return true;
        }
    }
    // An amount that adds up with none of the items is a line of its own; a
    // name alone where the pantry lists amounts says nothing new.
    if (named && !added.amount.isNumber())
        return false;
    m_pantry.appendItem(line);
    return true;
}

bool PantryStore::takeOutOf(const QString& name, const Amount& amount, const QString& unit)
{
    const QList<PantryItem>& items = m_pantry.items();
    for (int i = 0; i < items.size(); ++i) {
        const IngredientReading& item = items.at(i).reading;
        if (!NameForms::sameName(item.name, name))
            continue;
        bool usedUp = false;
        const QString rest = PantryAmounts::withLess(item, amount, unit, &usedUp);
        if (rest.isEmpty())
            continue;
        if (usedUp)
            m_pantry.removeItem(i);
        else
            m_pantry.setItemText(i, rest);
        return true;
    }
    return false;
}

bool PantryStore::readFileIfChanged()
{
    if (!m_inFile)
        return false;
    QString text;
    QString reason;
    switch (m_file->readIfChanged(&text, &reason)) {
    case WatchedTextFile::Change::Refused:
        keepInSettings(reason, true);
        return false;
    case WatchedTextFile::Change::Missing:
        // Gone for a moment, or removed: the pantry stays until the next
        // change writes the file anew.
        m_knownText.clear();
        return false;
    case WatchedTextFile::Change::Unchanged:
        return false;
    case WatchedTextFile::Change::Changed:
        break;
    }
    m_knownText = text;
    m_pantry = PantryFile::parse(m_knownText);
    emit changed();
    return true;
}

void PantryStore::change(const std::function<bool()>& apply)
{
    if (m_inBatch) {
        apply();
        return;
    }
    readFileIfChanged();
    if (!apply())
        return;
    save();
    emit changed();
}

void PantryStore::keepInSettings(const QString& reason, bool keepCurrent)
{
    m_file->unwatch();
    m_inFile = false;
    if (keepCurrent)
        save();
    else
        loadSettings();
    if (!m_told) {
        m_told = true;
        emit message(fallbackMessage().arg(reason));
    }
    emit changed();
}

void PantryStore::loadSettings()
{
    const QVariant kept = QSettings().value(itemsKey);
    QStringList texts;
    if (kept.typeId() == QMetaType::QStringList || kept.typeId() == QMetaType::QString)
        texts = kept.toStringList().mid(0, maxKeptItems);
    m_pantry = PantryFile::fromItems(texts);
}

void PantryStore::save()
{
    if (m_inFile) {
        if (!m_file->knownToExist() && m_pantry.items().isEmpty())
            return; // no file is needed for an empty pantry
        const QString text = m_pantry.toText();
        if (!m_file->write(text.toUtf8())) {
            keepInSettings(QStringLiteral("%1 cannot be written").arg(PantryFile::fileName()),
                           true);
        } else {
            m_knownText = text;
            m_pantry = PantryFile::parse(m_knownText);
        }
        return;
    }
    QSettings().setValue(itemsKey, m_pantry.itemTexts());
}

void PantryStore::onDiskChange()
{
    if (!m_inFile)
        return;
    readFileIfChanged();
}
