#include "browse/dirmodel.h"

#include "browse/dirmodelmodel.h"

#include <QQmlEngine>
#include <QSortFilterProxyModel>

static_assert(DirModel::Folders == 1 && DirModel::Files == 2 && DirModel::Drives == 4 &&
                  DirModel::Hidden == 256 && DirModel::AllEntries == 7,
              "the pages and stored values rely on QDir's filter bits");

DirModel::DirModel(QObject* parent)
    : QObject(parent)
    , m_proxy(std::make_unique<QSortFilterProxyModel>())
    , m_list(std::make_unique<DirModelModel>())
{
    m_proxy->setSourceModel(m_list.get());
    QQmlEngine::setObjectOwnership(m_proxy.get(), QQmlEngine::CppOwnership);
}

DirModel::~DirModel() = default;

QObject* DirModel::filteredModel() const
{
    return m_proxy.get();
}

QString DirModel::filter() const
{
    return m_filter;
}

void DirModel::setFilter(const QString& filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    m_proxy->setFilterFixedString(filter);
    emit filterChanged();
}

QString DirModel::path() const
{
    return m_list->path();
}

void DirModel::setPath(const QString& path)
{
    if (path == m_list->path())
        return;
    m_list->setPath(path);
    emit pathChanged();
}

QString DirModel::dirName() const
{
    return m_list->dirName();
}

DirModel::Mode DirModel::mode() const
{
    return Mode(m_list->mode());
}

void DirModel::setMode(Mode mode)
{
    if (int(mode) == m_list->mode())
        return;
    m_list->setMode(mode);
    emit modeChanged();
}

void DirModel::cdUp()
{
    m_list->cdUp();
    emit pathChanged();
}

void DirModel::cd(const QString& directory)
{
    m_list->cd(directory);
    emit pathChanged();
}
