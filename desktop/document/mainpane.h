#pragma once

#include "document/panebase.h"
#include "document/picturefitting.h"

#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextBrowser;
class RecipeDocument;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followLink(const QUrl& url);
    // Pictures wider than the view or the printed page are shown as wide as
    // it, in their own proportions.
    void fitPicturesToView();
    void printFitted(QPagedPaintDevice* printer);

    std::unique_ptr<RecipeDocument> document;
    QString rootPath;
    QTextBrowser* browser = nullptr; // child through the layout
    PictureFitting pictures;
};
