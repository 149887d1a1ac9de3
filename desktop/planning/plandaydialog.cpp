#include "planning/plandaydialog.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

PlanDayDialog::PlanDayDialog(const QString& title, const QDate& today, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Plan %1").arg(title));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(title, this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    calendar = new QCalendarWidget(this);
    calendar->setObjectName(QStringLiteral("planCalendar"));
    calendar->setSelectedDate(today);
    layout->addWidget(calendar);
    auto* form = new QFormLayout();
    servingsBox = new QSpinBox(this);
    servingsBox->setObjectName(QStringLiteral("planServingsBox"));
    servingsBox->setRange(0, 99);
    servingsBox->setSpecialValueText(QStringLiteral("as written"));
    form->addRow(QStringLiteral("Servings:"), servingsBox);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QDate PlanDayDialog::day() const
{
    return calendar->selectedDate();
}

int PlanDayDialog::servings() const
{
    return servingsBox->value();
}
