#pragma once

#include "import/importsummary.h"

#include <QDialog>

// Lists, after an import, each file that gave no recipe and why, under the
// same summary the status bar shows.
class ImportReportDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ImportReportDialog(const ImportSummary& summary, QWidget* parent = nullptr);

signals:
    // The user asked for the recipes already in the cookbook to be written all the same.
    void importAnywayRequested();
};
