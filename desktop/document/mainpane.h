#pragma once

#include "document/panebase.h"

#include <QString>

#include <memory>

class QTextBrowser;
class QTextDocument;
class QUrl;

// The central pane: renders the active recipe as Markdown, or the built-in
// introduction when there is none; follows relative links between recipes and
// prints what it shows.
class MainPane : public PaneBase
{
    Q_OBJECT
public:
    explicit MainPane(QWidget* parent = nullptr);
    ~MainPane() override;

    // The collection folder, against which relative links are resolved.
    void setRootPath(const QString& path);

signals:
    void notifySimple(const QString& msg);

public slots:
    void openPath(const QString& path) override;
    void print();
    void printPreview();

private:
    void followLink(const QUrl& url);

    std::unique_ptr<QTextDocument> document;
    QString rootPath;
    QTextBrowser* browser = nullptr; // child through the layout
};
