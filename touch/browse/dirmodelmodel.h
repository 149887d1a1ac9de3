#pragma once

#include <QAbstractListModel>
#include <QDir>
#include <QFileInfo>
#include <QList>

// The entries of one folder as a flat list, read once per change of folder or
// listing flags. Used only through DirModel, which filters it.
class DirModelModel : public QAbstractListModel
{
public:
    enum Role {
        FullPathRole = Qt::UserRole + 1,
        TypeRole = Qt::UserRole + 2,
    };

    explicit DirModelModel(QObject* parent = nullptr);
    ~DirModelModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString path() const;
    QString dirName() const;
    int mode() const;

    void setPath(const QString& path);
    void cd(const QString& name);
    void cdUp();
    void setMode(int flags);

private:
    void reload();

    QDir m_directory;
    int m_mode = QDir::AllEntries;
    QList<QFileInfo> m_entries;
};
