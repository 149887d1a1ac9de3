#include "browse/dirmodelmodel.h"

DirModelModel::DirModelModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_directory(QString())
{}

DirModelModel::~DirModelModel() = default;

int DirModelModel::rowCount(const QModelIndex& parent) const
{
    // A flat list: entries have no children of their own. Answering the
    // entry count for them too would make every row look like a subtree to
    // proxies and tree views.
    if (parent.isValid())
        return 0;
    return m_entries.size();
}

QVariant DirModelModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QFileInfo& entry = m_entries.at(index.row());
    // Files are tested first: both tests follow symbolic links.
    const bool isFile = entry.isFile();
    const bool isFolder = !isFile && entry.isDir();
    switch (role) {
    case Qt::DisplayRole:
        return entry.fileName();
    case Qt::DecorationRole:
        if (isFolder)
            return QStringLiteral("folder");
        return {};
    case FullPathRole:
        return entry.absoluteFilePath();
    case TypeRole:
        if (isFile)
            return QStringLiteral("file");
        if (isFolder)
            return QStringLiteral("folder");
        return {};
    default:
        return {};
    }
}

QHash<int, QByteArray> DirModelModel::roleNames() const
{
    return {
        {Qt::DisplayRole, "display"},
        {Qt::DecorationRole, "icon"},
        {FullPathRole, "fullpath"},
        {TypeRole, "type"},
    };
}

QString DirModelModel::path() const
{
    return m_directory.path();
}

QString DirModelModel::dirName() const
{
    return m_directory.dirName();
}

int DirModelModel::mode() const
{
    return m_mode;
}

void DirModelModel::setPath(const QString& path)
{
    beginResetModel();
    m_directory.setPath(path);
    reload();
    endResetModel();
}

void DirModelModel::cd(const QString& name)
{
    beginResetModel();
    m_directory.cd(name); // a refused move lists the same folder again
    reload();
    endResetModel();
}

void DirModelModel::cdUp()
{
    beginResetModel();
    m_directory.cdUp(); // fails at the root, which is then listed again
    reload();
    endResetModel();
}

void DirModelModel::setMode(int flags)
{
    beginResetModel();
    m_mode = flags;
    reload();
    endResetModel();
}

void DirModelModel::reload()
{
    m_entries = m_directory.entryInfoList(QDir::Filters(m_mode) | QDir::NoDotAndDotDot,
                                          QDir::DirsFirst | QDir::Name);
    // QDir leaves a FIFO or a device out unless asked for system entries, but
    // lists a symbolic link to one all the same; such an entry is neither a
    // file nor a folder to choose.
    if (!(QDir::Filters(m_mode) & QDir::System))
        m_entries.removeIf(
            [](const QFileInfo& entry) { return !entry.isFile() && !entry.isDir(); });
}
