#include "shopping/shoppingliststore.h"

#include "files/watchedtextfile.h"
#include "shopping/shoppingingredientreader.h"
#include "shopping/shoppinglistsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

const QString fileGroup = QStringLiteral("ShoppingListFile");
const QString movedKey = QStringLiteral("movedToFile");
const QString handRowsKey = QStringLiteral("handRows");
constexpr int maxKeptHandRows = 5000;

QString folded(const QString& text)
{
    return text.simplified().toCaseFolded();
}

QStringList handRowsToSettings(const QList<ShoppingFileRow>& rows)
{
    QStringList kept;
    for (const ShoppingFileRow& row : rows)
        kept.append((row.ticked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + row.text);
    return kept;
}

QList<ShoppingFileRow> handRowsFromSettings(const QVariant& value)
{
    QList<ShoppingFileRow> rows;
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QString)
        return rows;
    const QStringList kept = value.toStringList().mid(0, maxKeptHandRows);
    for (const QString& line : kept) {
        ShoppingFileRow row;
        row.ticked = line.startsWith(QStringLiteral("[x] "));
        row.text =
            (line.startsWith(QStringLiteral("[x] ")) || line.startsWith(QStringLiteral("[ ] "))
                 ? line.mid(4)
                 : line)
                .simplified();
        if (!row.text.isEmpty())
            rows.append(row);
    }
    return rows;
}

ShoppingFileRecipe fileRecipe(const ShoppingEntry& entry)
{
    ShoppingFileRecipe recipe;
    recipe.path = entry.recipe.path;
    recipe.title = entry.recipe.title;
    if (entry.hasServings())
        recipe.servings = entry.amountWanted();
    else
        recipe.factorHalves = entry.amountWanted();
    return recipe;
}

// An entry from the file's line, with the recipe read anew unless `known`
// holds it already.
ShoppingEntry entryOf(const ShoppingFileRecipe& line, const ShoppingList& known)
{
    ShoppingEntry entry;
    entry.recipe.path = line.path;
    for (int i = 0; i < known.size(); ++i) {
        if (known.entry(i).recipe.path == line.path) {
            entry.recipe = known.entry(i).recipe;
            break;
        }
    }
    if (!entry.recipe.readable)
        entry.recipe = ShoppingIngredientReader::read(line.path);
    if (!entry.recipe.readable && !line.title.isEmpty())
        entry.recipe.title = line.title;
    entry.wantedServings = entry.recipe.servings;
    if (entry.hasServings()) {
        if (line.servings > 0)
            entry.wantedServings = line.servings;
        else if (line.factorHalves > 0)
            entry.wantedServings =
                int(std::lround(entry.recipe.servings * line.factorHalves / 2.0));
        entry.wantedServings = std::clamp(entry.wantedServings, ShoppingEntry::minServings,
                                          ShoppingEntry::maxServings);
    } else if (line.factorHalves > 0) {
        entry.factorHalves = std::clamp(line.factorHalves, ShoppingEntry::minFactorHalves,
                                        ShoppingEntry::maxFactorHalves);
    }
    return entry;
}

} // namespace

ShoppingListStore::ShoppingListStore(QObject* parent)
    : QObject(parent)
    , m_file(std::make_unique<WatchedTextFile>(ShoppingListFile::fileName(),
                                               ShoppingListFile::sizeLimit))
{
    connect(m_file.get(), &WatchedTextFile::changedOnDisk, this, &ShoppingListStore::onDiskChange);
    loadSettings();
}

ShoppingListStore::~ShoppingListStore() = default;

QString ShoppingListStore::filePath() const
{
    return m_inFile ? QDir(m_folder).filePath(ShoppingListFile::fileName()) : QString();
}

void ShoppingListStore::setCollectionPath(const QString& folder)
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
        // No collection: nothing to say, the list lives where it always did.
        loadSettings();
        emit replaced();
        emit changed();
        return;
    }
    if (!info.isWritable()) {
        keepInSettings(QStringLiteral("the folder %1 cannot be written").arg(folder), false);
        return;
    }
    m_inFile = true;
    bool fresh = false;
    QString reason;
    if (m_file->read(&fresh, &reason) == WatchedTextFile::Read::Refused) {
        keepInSettings(reason, false);
        return;
    }
    takeFile(m_file->knownText());
    m_file->watch();
    moveSettingsIntoFile();
    emit replaced();
    emit changed();
}

QString ShoppingListStore::toMarkdown() const
{
    QString text = m_list.toMarkdown();
    for (const ShoppingFileRow& row : m_handRows)
        text += (row.ticked ? QStringLiteral("- [x] ") : QStringLiteral("- [ ] ")) + row.text +
                QLatin1Char('\n');
    return text;
}

bool ShoppingListStore::addRecipe(const ShoppingRecipe& recipe)
{
    bool added = false;
    change([&] {
        added = !m_list.contains(recipe.path);
        if (added)
            m_list.add(recipe);
        return added;
    });
    return added;
}

void ShoppingListStore::removeRecipe(const QString& path)
{
    change([&] {
        for (int row = 0; row < m_list.size(); ++row) {
            if (m_list.entry(row).recipe.path == path) {
                m_list.removeAt(row);
                return true;
            }
        }
        return false;
    });
}

void ShoppingListStore::clear()
{
    change([&] {
        m_list.clear();
        m_handRows.clear();
        return true;
    });
}

void ShoppingListStore::setWantedServings(const QString& path, int servings)
{
    change([&] {
        for (int row = 0; row < m_list.size(); ++row) {
            if (m_list.entry(row).recipe.path == path) {
                m_list.setWantedServings(row, servings);
                return true;
            }
        }
        return false;
    });
}

void ShoppingListStore::setFactorHalves(const QString& path, int halves)
{
    change([&] {
        for (int row = 0; row < m_list.size(); ++row) {
            if (m_list.entry(row).recipe.path == path) {
                m_list.setFactorHalves(row, halves);
                return true;
            }
        }
        return false;
    });
}

void ShoppingListStore::setTicked(const QString& key, bool ticked)
{
    change([&] {
        m_list.setTicked(key, ticked);
        return true;
    });
}

int ShoppingListStore::handRowIndex(const QString& text) const
{
    const QString key = folded(text);
    for (int i = 0; i < m_handRows.size(); ++i) {
        if (folded(m_handRows.at(i).text) == key)
            return i;
    }
    return -1;
}

bool ShoppingListStore::addHandRow(const QString& text)
{
    const QString row = text.simplified();
    if (row.isEmpty())
        return false;
    bool added = false;
    change([&] {
        added = handRowIndex(row) < 0;
        if (added)
            m_handRows.append(ShoppingFileRow{row, false});
        return added;
    });
    return added;
}

void ShoppingListStore::removeHandRow(const QString& text)
{
    change([&] {
        const int index = handRowIndex(text);
        if (index >= 0)
            m_handRows.removeAt(index);
        return index >= 0;
    });
}

void ShoppingListStore::setHandRowTicked(const QString& text, bool ticked)
{
    change([&] {
        const int index = handRowIndex(text);
        if (index >= 0)
            m_handRows[index].ticked = ticked;
        return index >= 0;
    });
}

void ShoppingListStore::reread(const QString& path)
{
    change([&] { return m_list.reread(path); });
}

void ShoppingListStore::rereadAll()
{
    change([&] {
        m_list.rereadAll();
        return true;
    });
}

bool ShoppingListStore::readFileIfChanged()
{
    if (!m_inFile)
        return false;
    bool fresh = false;
    QString reason;
    const WatchedTextFile::Read read = m_file->read(&fresh, &reason);
    if (read == WatchedTextFile::Read::Refused) {
        keepInSettings(reason, true);
        return false;
    }
    // Gone for a moment, or removed: the list stays, and the next change
    // writes the file anew.
    if (read == WatchedTextFile::Read::Missing || !fresh)
        return false;
    takeFile(m_file->knownText());
    emit replaced();
    emit changed();
    return true;
}

void ShoppingListStore::change(const std::function<bool()>& apply)
{
    readFileIfChanged();
    if (!apply())
        return;
    save();
    emit changed();
}

// The recipes and ticks of the file, and its other rows as rows written by
// hand. A row is a recipe's row when it reads as one of the merged rows, in
// full or by name, and is the first to; rows this program knew as hand rows
// stay hand rows.
void ShoppingListStore::takeFile(const QString& text)
{
    const ShoppingListFile file = ShoppingListFile::parse(text, m_folder);
    ShoppingList fresh;
    for (const ShoppingFileRecipe& recipe : file.recipes)
        fresh.restore(entryOf(recipe, m_list));
    QHash<QString, QString> keyOfRow;
    for (const ShoppingItem& item : fresh.items()) {
        keyOfRow.insert(folded(item.name), item.key);
        keyOfRow.insert(folded(item.text()), item.key);
    }
    QSet<QString> knownHand;
    for (const ShoppingFileRow& row : std::as_const(m_handRows))
        knownHand.insert(folded(row.text));
    QSet<QString> ticked;
    QSet<QString> claimed; // merged rows already met: a second of a name is a hand row
    QList<ShoppingFileRow> hand;
    QSet<QString> handSeen;
    for (const ShoppingFileRow& row : file.rows) {
        const QString key = folded(row.text);
        const auto item = keyOfRow.constFind(key);
        if (!knownHand.contains(key) && item != keyOfRow.constEnd() && !claimed.contains(*item)) {
            claimed.insert(*item);
            if (row.ticked)
                ticked.insert(*item);
            continue;
        }
        if (handSeen.contains(key))
            continue;
        handSeen.insert(key);
        hand.append(ShoppingFileRow{row.text.simplified(), row.ticked});
    }
    fresh.setTickedKeys(ticked);
    m_list = fresh;
    m_handRows = hand;
}

// The list kept in the settings before the file existed moves into the
// file once; the settings are emptied, so it never comes back twice.
void ShoppingListStore::moveSettingsIntoFile()
{
    QSettings settings;
    if (settings.value(fileGroup + QLatin1Char('/') + movedKey).toBool())
        return;
    ShoppingList kept;
    ShoppingListSettings::load(kept);
    const QList<ShoppingFileRow> keptRows =
        handRowsFromSettings(settings.value(fileGroup + QLatin1Char('/') + handRowsKey));
    bool moved = false;
    for (int i = 0; i < kept.size(); ++i) {
        if (!m_list.contains(kept.entry(i).recipe.path)) {
            m_list.restore(kept.entry(i));
            moved = true;
        }
    }
    QSet<QString> ticked = m_list.ticked();
    ticked.unite(kept.ticked());
    m_list.setTickedKeys(ticked);
    for (const ShoppingFileRow& row : keptRows) {
        if (handRowIndex(row.text) < 0) {
            m_handRows.append(row);
            moved = true;
        }
    }
    if (moved && !writeFile()) {
        keepInSettings(QStringLiteral("%1 cannot be written").arg(ShoppingListFile::fileName()),
                       true);
        return;
    }
    ShoppingListSettings::save(ShoppingList());
    settings.remove(fileGroup + QLatin1Char('/') + handRowsKey);
    settings.setValue(fileGroup + QLatin1Char('/') + movedKey, true);
}

void ShoppingListStore::keepInSettings(const QString& reason, bool keepCurrent)
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
    emit replaced();
    emit changed();
}

void ShoppingListStore::loadSettings()
{
    ShoppingListSettings::load(m_list);
    QSettings settings;
    m_handRows = handRowsFromSettings(settings.value(fileGroup + QLatin1Char('/') + handRowsKey));
}

void ShoppingListStore::save()
{
    if (m_inFile) {
        if (!writeFile())
            keepInSettings(QStringLiteral("%1 cannot be written").arg(ShoppingListFile::fileName()),
                           true);
        return;
    }
    ShoppingListSettings::save(m_list);
    QSettings settings;
    settings.setValue(fileGroup + QLatin1Char('/') + handRowsKey, handRowsToSettings(m_handRows));
}

bool ShoppingListStore::writeFile()
{
    ShoppingListFile file = ShoppingListFile::parse(m_file->knownText(), m_folder);
    file.recipes.clear();
    for (int i = 0; i < m_list.size(); ++i)
        file.recipes.append(fileRecipe(m_list.entry(i)));
    file.rows.clear();
    for (const ShoppingItem& item : m_list.items())
        file.rows.append(ShoppingFileRow{item.text(), item.ticked});
    file.rows.append(m_handRows);
    if (!m_file->knownExists() && file.recipes.isEmpty() && file.rows.isEmpty())
        return true; // no file is needed for an empty list
    return m_file->write(file.toText(m_folder));
}

void ShoppingListStore::onDiskChange()
{
    if (!m_inFile)
        return;
    m_file->watch();
    readFileIfChanged();
}
