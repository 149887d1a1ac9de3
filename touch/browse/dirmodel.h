#pragma once

#include <QDir>
#include <QObject>
#include <QString>

#include <memory>

class DirModelModel;
class QSortFilterProxyModel;

// A folder browser for the pages: the entries of one folder, narrowed by a
// case-sensitive search text, with navigation into and out of folders.
class DirModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* filteredModel READ filteredModel CONSTANT)
    Q_PROPERTY(QString filter READ filter WRITE setFilter NOTIFY filterChanged)
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
    Q_PROPERTY(QString dirName READ dirName NOTIFY pathChanged)
    Q_PROPERTY(Mode mode READ mode WRITE setMode NOTIFY modeChanged)
public:
    // The same bits as QDir's filters, handed to QDir unchanged; pages combine
    // them (Folders | Hidden).
    enum Mode {
        Folders = QDir::Dirs,
        Files = QDir::Files,
        Drives = QDir::Drives,
        Hidden = QDir::Hidden,
        AllEntries = QDir::AllEntries,
    };
    Q_ENUM(Mode)

    explicit DirModel(QObject* parent = nullptr);
    ~DirModel() override;

    QObject* filteredModel() const;

    QString filter() const;
    void setFilter(const QString& filter);

    QString path() const;
    void setPath(const QString& path);

    QString dirName() const;

    Mode mode() const;
    void setMode(Mode mode);

signals:
    void filterChanged();
    void pathChanged();
    void modeChanged();

public:
    Q_INVOKABLE void cdUp();
    Q_INVOKABLE void cd(const QString& directory);

private:
    // Destroyed in reverse order: the list model goes before the proxy that
    // shows it, and the proxy is told so by the model's destruction.
    std::unique_ptr<QSortFilterProxyModel> m_proxy;
    std::unique_ptr<DirModelModel> m_list;
    QString m_filter;
};
