#pragma once

#include "document/panebase.h"

#include <memory>

class QStandardItemModel;

// What the recipe parser reads from the active recipe: its title, ingredient
// names, tags and other metadata, as a small tree.
class MetaDataPane : public PaneBase
{
    Q_OBJECT
public:
    explicit MetaDataPane(QWidget* parent = nullptr);
    ~MetaDataPane() override;

public slots:
    void openPath(const QString& path) override;

private:
    std::unique_ptr<QStandardItemModel> model;
};
