#include "writing/ingredientsparserpane.h"

#include "recipe/recipeparser.h"

#include <QAction>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <memory>

IngredientsParserPane::IngredientsParserPane(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
{
    auto field = std::make_unique<QLineEdit>();
    field->setPlaceholderText(QStringLiteral("Search"));
    QAction* clearAction = field->addAction(QIcon::fromTheme(QStringLiteral("edit-clear")),
                                            QLineEdit::TrailingPosition);
    connect(clearAction, &QAction::triggered, field.get(), &QLineEdit::clear);
    connect(field.get(), &QLineEdit::textChanged, this, &IngredientsParserPane::setLine);

    auto amount = std::make_unique<QLabel>();
    auto ingredient = std::make_unique<QLabel>();
    auto unit = std::make_unique<QLabel>();
    amountLabel = amount.get();
    ingredientLabel = ingredient.get();
    unitLabel = unit.get();

    auto form = std::make_unique<QFormLayout>();
    form->addRow(QStringLiteral("Amount:"), amount.release());
    form->addRow(QStringLiteral("Unit:"), unit.release());
    form->addRow(QStringLiteral("Ingredient:"), ingredient.release());

    auto layout = std::make_unique<QVBoxLayout>();
    layout->addWidget(
        std::make_unique<QLabel>(QStringLiteral(" * 200 ml maple syrup, the good stuff"))
            .release());
    layout->addWidget(field.release());
    layout->addLayout(form.release());
    layout->addStretch(0);
    setLayout(layout.release());
}

IngredientsParserPane::~IngredientsParserPane() = default;

void IngredientsParserPane::setLine(const QString& line)
{
    const Ingredient parsed = parseIngredientLine(line);
    amountLabel->setText(parsed.amount);
    ingredientLabel->setText(parsed.ingredient);
    unitLabel->setText(parsed.unit);
}
