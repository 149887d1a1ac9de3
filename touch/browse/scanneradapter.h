#pragma once

#include "collection/scanner.h"

#include <QObject>
#include <QString>

#include <memory>

class QStandardItemModel;
class TitleFilterProxy;

// The collection scanner as the touch pages see it: one title list that the
// search text narrows, and the collection folder, remembered in the settings.
class ScannerAdapter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* titleList READ titleList NOTIFY titleListChanged)
    Q_PROPERTY(QString filter READ filter WRITE setFilter NOTIFY filterChanged)
    Q_PROPERTY(QString rootPath READ rootPath WRITE setRootPath NOTIFY rootPathChanged)
    Q_PROPERTY(Scanner* scanner READ scanner CONSTANT)
public:
    explicit ScannerAdapter(QObject* parent = nullptr);
    ~ScannerAdapter() override;

    // The same proxy for the adapter's whole life; each scan swaps its source.
    QObject* titleList() const;

    QString filter() const;
    void setFilter(const QString& filter);

    QString rootPath() const;
    void setRootPath(const QString& path);

    Q_INVOKABLE void refresh();

    // The core scanner, for the pages' other searches (Find).
    Scanner* scanner() const { return m_scanner.get(); }

signals:
    void titleListChanged();
    void filterChanged();
    void rootPathChanged();

private:
    void takeTitleModel();

    // Destroyed in reverse order: the proxy lets go of the model before the
    // model goes, and the scanner (which waits for a running scan) goes last.
    std::unique_ptr<Scanner> m_scanner;
    std::shared_ptr<QStandardItemModel> m_titleModel;
    QString m_filter;
    std::unique_ptr<TitleFilterProxy> m_proxy;
};
