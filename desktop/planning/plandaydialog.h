#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QSpinBox;

// Asks on which day to cook a recipe, and for how many: a calendar starting
// at today, and the servings (0: as the recipe is written).
class PlanDayDialog : public QDialog
{
    Q_OBJECT
public:
    PlanDayDialog(const QString& title, const QDate& today, QWidget* parent = nullptr);

    QDate day() const;
    int servings() const;

private:
    QCalendarWidget* calendar = nullptr; // children through the layout
    QSpinBox* servingsBox = nullptr;
};
