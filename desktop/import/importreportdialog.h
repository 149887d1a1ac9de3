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
};
