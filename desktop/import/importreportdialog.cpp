#include "import/importreportdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

ImportReportDialog::ImportReportDialog(const ImportSummary& summary, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import report"));
    setObjectName(QStringLiteral("importReportDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(summary.statusMessage(), this);
    heading->setObjectName(QStringLiteral("importSummaryLabel"));
    layout->addWidget(heading);

    auto* list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("importProblemsList"));
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Why no recipe")});
    list->setRootIsDecorated(false);
    for (const ImportSummary::Problem& problem : summary.problems) {
        auto* item =
            new QTreeWidgetItem(list, {QDir::toNativeSeparators(problem.path), problem.reason});
        item->setToolTip(0, item->text(0));
    }
    for (const ImportedRecipe& recipe : summary.alreadyThere)
        new QTreeWidgetItem(list, {QStringLiteral("Already in the cookbook: %1").arg(recipe.title),
                                   QStringLiteral("not written again")});
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    layout->addWidget(list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (!summary.alreadyThere.isEmpty()) {
        QPushButton* anyway =
            buttons->addButton(QStringLiteral("Import anyway"), QDialogButtonBox::ActionRole);
        anyway->setObjectName(QStringLiteral("importAnywayButton"));
        connect(anyway, &QPushButton::clicked, this, [this] {
            emit importAnywayRequested();
            accept();
        });
    }
    layout->addWidget(buttons);
    resize(640, 360);
}
