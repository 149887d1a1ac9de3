#pragma once

#include "document/panebase.h"

class QTextBrowser;

// The active recipe's file exactly as stored, unrendered, for the recipe's
// writer.
class RawViewPane : public PaneBase
{
    Q_OBJECT
public:
    explicit RawViewPane(QWidget* parent = nullptr);
    ~RawViewPane() override;

public slots:
    void openPath(const QString& path) override;

private:
    QTextBrowser* browser = nullptr; // child through the layout
};
