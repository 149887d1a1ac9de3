#include "scanner.h"

#include "recipeparser.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardItemModel>
#include <QThread>

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using ModelPointer = std::shared_ptr<QStandardItemModel>;

// One recipe during a scan: title first, then the absolute file path.
struct Entry
{
    QString title;
    QString path;

    friend bool operator==(const Entry& a, const Entry& b)
    {
        return a.title == b.title && a.path == b.path;
    }
};

using EntryList = std::vector<Entry>;
using EntryMap = QMap<QString, EntryList>;

void sortByTitle(EntryList& entries)
{
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.title < b.title; });
}

Qt::ItemFlags readOnlyItemFlags()
{
    return QStandardItem().flags() & ~Qt::ItemIsEditable;
}

QStandardItem* makeRecipeItem(const Entry& entry, Qt::ItemFlags flags)
{
    auto item = std::make_unique<QStandardItem>(entry.title);
    item->setData(entry.path, PathRole);
    item->setFlags(flags);
    return item.release(); // the model that receives it owns it
}

ModelPointer buildTreeModel(const EntryMap& entriesByKey)
{
    auto model = std::make_shared<QStandardItemModel>();
    const Qt::ItemFlags flags = readOnlyItemFlags();
    for (auto it = entriesByKey.cbegin(); it != entriesByKey.cend(); ++it) {
        auto keyItem = std::make_unique<QStandardItem>(it.key());
        keyItem->setFlags(flags);
        EntryList entries = it.value();
        sortByTitle(entries);
        QList<QStandardItem*> children;
        children.reserve(qsizetype(entries.size()));
        for (const Entry& entry : entries)
            children.append(makeRecipeItem(entry, flags));
        keyItem->appendRows(children);
        model->appendRow(keyItem.release());
    }
    return model;
}

ModelPointer buildTitleModel(EntryList& entries, QHash<QString, QString>& titlesByPath)
{
    sortByTitle(entries);
    auto model = std::make_shared<QStandardItemModel>();
    const Qt::ItemFlags flags = readOnlyItemFlags();
    QList<QStandardItem*> rows;
    rows.reserve(qsizetype(entries.size()));
    titlesByPath.reserve(qsizetype(entries.size()));
    for (const Entry& entry : entries) {
        titlesByPath.insert(entry.path, entry.title);
        rows.append(makeRecipeItem(entry, flags));
    }
    model->invisibleRootItem()->appendRows(rows);
    model->setItemRoleNames(
        {{Qt::DisplayRole, QByteArrayLiteral("display")}, {PathRole, QByteArrayLiteral("path")}});
    return model;
}

void addUniqueEntry(EntryList& entries, const Entry& entry)
{
    if (std::find(entries.cbegin(), entries.cend(), entry) == entries.cend())
        entries.push_back(entry);
}

} // namespace

Scanner::Scanner(QObject* parent)
    : QObject(parent)
{
    connect(this, &Scanner::dataUpdatedInternal, this, &Scanner::dataUpdated, Qt::QueuedConnection);
}

Scanner::~Scanner()
{
    // Waits for a running scan to publish before the models and table go.
    if (m_scanTask.valid())
        m_scanTask.wait();
}

void Scanner::setRootPath(const QString& path)
{
    {
        std::lock_guard<std::mutex> lock(m_modelLock);
        m_rootPath = path;
    }
    doUpdate();
}

QString Scanner::rootPath() const
{
    return m_rootPath;
}

std::shared_ptr<QStandardItemModel> Scanner::titleModel() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_titleModel;
}

std::shared_ptr<QStandardItemModel> Scanner::tagModel() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_tagModel;
}

std::shared_ptr<QStandardItemModel> Scanner::ingredientModel() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_ingredientModel;
}

QHash<QString, QString> Scanner::titlesByPath() const
{
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_titlesByPath;
}

void Scanner::doUpdate()
{
    if (m_busy.load() && stillBusyAfterPublication())
        return;
    if (m_rootPath.isEmpty())
        return;
    m_busy.store(true);
    startScan();
}

bool Scanner::stillBusyAfterPublication() const
{
    // A publication emits and then clears busy under the lock, so a handler of
    // its dataUpdated() may run before busy is cleared; waiting for the lock
    // lets such a reload through instead of dropping it.
    std::lock_guard<std::mutex> lock(m_modelLock);
    return m_busy.load();
}

void Scanner::startScan()
{
    QThread* resultThread = QThread::currentThread();
    try {
        // Assigning releases the previous handle, which waits for the previous
        // scan thread; that scan has already published, so the wait is short.
        m_scanTask =
            std::async(std::launch::async, &Scanner::runScan, this, m_rootPath, resultThread);
    } catch (const std::system_error&) {
        // No thread could be started: nothing will publish, so nothing may
        // stay busy either, or every later reload would be refused.
        m_busy.store(false);
    }
}

void Scanner::scanChangedRoot()
{
    // Still busy from the scan that just published.
    if (m_rootPath.isEmpty()) {
        m_busy.store(false);
        return;
    }
    startScan();
}

void Scanner::runScan(const QString& rootPath, QThread* resultThread)
{
    EntryList allEntries;
    EntryMap entriesByTag;
    EntryMap entriesByIngredient;

    QDirIterator files(rootPath, {QStringLiteral("*.recipe.md")},
                       QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        const QString path = files.fileInfo().absoluteFilePath();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const ParsedRecipe recipe = parseRecipe(&file);
        const Entry entry{recipe.title, path};
        allEntries.push_back(entry);
        for (const QString& tag : recipe.tags)
            entriesByTag[tag].push_back(entry);
        for (const Ingredient& ingredient : recipe.ingredients)
            addUniqueEntry(entriesByIngredient[ingredient.ingredient], entry);
    }

    ModelPointer ingredientModel = buildTreeModel(entriesByIngredient);
    ModelPointer tagModel = buildTreeModel(entriesByTag);
    QHash<QString, QString> titlesByPath;
    ModelPointer titleModel = buildTitleModel(allEntries, titlesByPath);

    ingredientModel->moveToThread(resultThread);
    tagModel->moveToThread(resultThread);
    titleModel->moveToThread(resultThread);

    publish(rootPath, std::move(ingredientModel), std::move(tagModel), std::move(titlesByPath),
            std::move(titleModel));
}

void Scanner::publish(const QString& scannedRoot, ModelPointer ingredientModel,
                      ModelPointer tagModel, QHash<QString, QString> titlesByPath,
                      ModelPointer titleModel)
{
    // The replaced models belong to the owner's thread and must not die on
    // this one; they are handed back below.
    ModelPointer oldIngredientModel;
    ModelPointer oldTagModel;
    ModelPointer oldTitleModel;
    {
        std::lock_guard<std::mutex> lock(m_modelLock);
        oldIngredientModel = std::exchange(m_ingredientModel, std::move(ingredientModel));
        oldTagModel = std::exchange(m_tagModel, std::move(tagModel));
        m_titlesByPath = std::move(titlesByPath);
        oldTitleModel = std::exchange(m_titleModel, std::move(titleModel));
        emit dataUpdatedInternal();
        // A folder chosen while this scan ran is scanned at once; busy stays
        // set until that scan publishes, so requests meanwhile are dropped as
        // for any running scan.
        const bool rootChanged = m_rootPath != scannedRoot;
        if (rootChanged)
            QMetaObject::invokeMethod(this, &Scanner::scanChangedRoot, Qt::QueuedConnection);
        else
            m_busy.store(false);
    }
    // The functor is destroyed on the owner's thread: after it has run, or
    // when the Scanner is destroyed with the call still pending.
    QMetaObject::invokeMethod(
        this,
        [ingredient = std::move(oldIngredientModel), tag = std::move(oldTagModel),
         title = std::move(oldTitleModel)]() {},
        Qt::QueuedConnection);
}
