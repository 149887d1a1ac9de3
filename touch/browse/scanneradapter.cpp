#include "browse/scanneradapter.h"

#include "collection/collectionsettings.h"
#include "collection/scanner.h"
#include "collection/titlefilterproxy.h"

#include <QFile>
#include <QQmlEngine>
#include <QSettings>
#include <QStandardItemModel>
#include <QStandardPaths>

ScannerAdapter::ScannerAdapter(QObject* parent)
    : QObject(parent)
    , m_scanner(std::make_unique<Scanner>())
    , m_proxy(std::make_unique<TitleFilterProxy>())
{
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    // The pages hold the proxy through a property; QML must never think it
    // owns it, or the garbage collector could delete it under the adapter.
    QQmlEngine::setObjectOwnership(m_proxy.get(), QQmlEngine::CppOwnership);
    connect(m_scanner.get(), &Scanner::dataUpdated, this, &ScannerAdapter::takeTitleModel);

    m_scanner->setIndexFolder(Scanner::defaultIndexFolder());
    m_scanner->setRootPath(CollectionSettings::storedLocation());
}

ScannerAdapter::~ScannerAdapter() = default;

QObject* ScannerAdapter::titleList() const
{
    return m_proxy.get();
}

QString ScannerAdapter::filter() const
{
    return m_filter;
}

void ScannerAdapter::setFilter(const QString& filter)
{
    if (filter == m_filter)
        return;
    m_proxy->setFilterText(filter);
    m_filter = filter;
    emit filterChanged();
}

QString ScannerAdapter::rootPath() const
{
    return m_scanner->rootPath();
}

void ScannerAdapter::setRootPath(const QString& path)
{
    if (path == m_scanner->rootPath())
        return;
    m_scanner->setRootPath(path);
    emit rootPathChanged();

    // A folder that is not there is scanned (and shows nothing) but not
    // remembered, so the next start goes back to the last real collection.
    if (QFile::exists(path)) {
        QSettings settings;
        settings.beginGroup(CollectionSettings::group());
        settings.setValue(CollectionSettings::locationKey(), path);
    }
}

void ScannerAdapter::refresh()
{
    m_scanner->doUpdate();
}

void ScannerAdapter::takeTitleModel()
{
    std::shared_ptr<QStandardItemModel> model = m_scanner->titleModel();
    m_proxy->setSourceModel(model.get());
    // Only now may the previous model go: the proxy no longer refers to it.
    m_titleModel = std::move(model);
}
