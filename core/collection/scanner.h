#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

class IngredientNameIndex;
class ModelDisposer;
class QStandardItemModel;
class QThread;

// Item data role carrying a recipe's absolute file path in every index model.
constexpr int PathRole = Qt::UserRole + 1;

// Scans a collection folder on a thread of its own and publishes three
// read-only index models (titles, tags, ingredients) and a title-by-path table.
// Lives on, and is used from, one thread (the owner); dataUpdated() is
// delivered there once the four have been replaced.
class Scanner : public QObject
{
    Q_OBJECT
public:
    explicit Scanner(QObject* parent = nullptr);
    ~Scanner() override;

    void setRootPath(const QString& path);
    QString rootPath() const;
    // The folder whose recipes the models hold: the root path once its scan
    // has published.
    QString shownRootPath() const;

    // Where what the scan learnt of each cookbook is kept between runs; empty
    // (the default) keeps nothing. With a folder, a scan of a cookbook not yet
    // shown first publishes what was kept, then reads only the files changed
    // since and publishes again when anything changed.
    void setIndexFolder(const QString& folder);
    QString indexFolder() const;
    // The programs' choice: a folder under the user's cache folder.
    static QString defaultIndexFolder();

    std::shared_ptr<QStandardItemModel> titleModel() const;
    std::shared_ptr<QStandardItemModel> tagModel() const;
    std::shared_ptr<QStandardItemModel> ingredientModel() const;
    QHash<QString, QString> titlesByPath() const;
    // The "source:" of every recipe that names one, by path: what an import
    // checks to write no recipe twice.
    QHash<QString, QString> sourcesByPath() const;
    // Beside the models: every ingredient the recipes list, by the names
    // people write, with the recipes that list it. Not a model: it is never
    // shown as it is, only searched.
    std::shared_ptr<const IngredientNameIndex> listedIngredients() const;

signals:
    void dataUpdated();
    void dataUpdatedInternal();

public slots:
    void doUpdate();

private:
    bool refusedWhileBusy();
    void startScan();
    void scanChangedRoot();
    // Ends a scan whose kept recipes, shown first, proved the cookbook as it is.
    void endWithoutPublishing(const QString& scannedRoot);
    void endScan(const QString& scannedRoot); // under the lock
    // Invoked by name, queued from the scan thread: the event that carries it
    // is then made by Qt itself.
    Q_INVOKABLE void afterPublication();
    bool shownRootDiffers() const;
    void runScan(const QString& rootPath, QThread* resultThread, const QString& indexFolder,
                 bool showKeptFirst);
    void publish(const QString& scannedRoot, std::shared_ptr<QStandardItemModel> ingredientModel,
                 std::shared_ptr<QStandardItemModel> tagModel, QHash<QString, QString> titlesByPath,
                 std::shared_ptr<QStandardItemModel> titleModel,
                 std::shared_ptr<const IngredientNameIndex> names,
                 QHash<QString, QString> sourcesByPath, bool last);

    // Declared before the models, so that it outlives the Scanner's shares.
    std::shared_ptr<ModelDisposer> m_disposer;
    mutable std::mutex m_modelLock;
    std::shared_ptr<QStandardItemModel> m_tagModel;
    std::shared_ptr<QStandardItemModel> m_ingredientModel;
    std::shared_ptr<QStandardItemModel> m_titleModel;
    QHash<QString, QString> m_titlesByPath;
    QHash<QString, QString> m_sourcesByPath;
    std::shared_ptr<const IngredientNameIndex> m_listedIngredients;
    // Also under the lock: models replaced by the scan thread, waiting to be
    // released on the owner's thread, and whether the folder changed mid-scan.
    std::vector<std::shared_ptr<QStandardItemModel>> m_retiredModels;
    bool m_followUpScanPending = false;
    // Whether what was kept is shown and only its check still runs, and
    // whether a reload was asked for meanwhile.
    bool m_checkingKept = false;
    bool m_reloadAfterCheck = false;
    // Written by the owner under the lock, so that a publishing scan can see
    // whether the user chose another folder meanwhile; the owner reads it freely.
    QString m_rootPath;
    QString m_shownRoot; // the folder of the models published last; under the lock
    QString m_indexFolder;
    std::atomic<bool> m_busy{false};
    // Declared last so that it is destroyed first: releasing it waits for a
    // running scan before the models go.
    std::future<void> m_scanTask;
};
