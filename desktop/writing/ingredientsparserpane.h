#pragma once

#include <QWidget>

class QLabel;

// Tries one ingredient line against the rule the recipe parser uses and shows
// the amount, unit and ingredient it reads, on every keystroke.
class IngredientsParserPane : public QWidget
{
    Q_OBJECT
public:
    explicit IngredientsParserPane(QWidget* parent = nullptr);
    ~IngredientsParserPane() override;

private slots:
    void setLine(const QString& line);

private:
    QLabel* amountLabel = nullptr;     // child through the layout
    QLabel* unitLabel = nullptr;       // child through the layout
    QLabel* ingredientLabel = nullptr; // child through the layout
};
