#include "shopping/servingsdelegate.h"

#include "shopping/shoppingrecipesmodel.h"

#include <QComboBox>
#include <QSpinBox>

ServingsDelegate::ServingsDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{}

QWidget* ServingsDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const
{
    auto* self = const_cast<ServingsDelegate*>(this);
    const int minimum = index.data(ShoppingRecipesModel::MinimumRole).toInt();
    const int maximum = index.data(ShoppingRecipesModel::MaximumRole).toInt();
    if (index.data(ShoppingRecipesModel::HasServingsRole).toBool()) {
        auto* servings = new QSpinBox(parent); // the view owns its editors
        servings->setObjectName(QStringLiteral("servings"));
        servings->setRange(minimum, maximum);
        servings->setSuffix(QStringLiteral(" servings"));
        connect(servings, &QSpinBox::valueChanged, self,
                [self, servings] { emit self->commitData(servings); });
        return servings;
    }
    auto* factor = new QComboBox(parent);
    factor->setObjectName(QStringLiteral("factor"));
    for (int halves = minimum; halves <= maximum; ++halves)
        factor->addItem(ShoppingRecipesModel::amountText(halves, false), halves);
    connect(factor, &QComboBox::activated, self, [self, factor] { emit self->commitData(factor); });
    return factor;
}

void ServingsDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const int value = index.data(Qt::EditRole).toInt();
    if (auto* servings = qobject_cast<QSpinBox*>(editor)) {
        const QSignalBlocker quiet(servings);
        servings->setValue(value);
    } else if (auto* factor = qobject_cast<QComboBox*>(editor)) {
        factor->setCurrentIndex(factor->findData(value));
    }
}

void ServingsDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    if (auto* servings = qobject_cast<QSpinBox*>(editor))
        model->setData(index, servings->value(), Qt::EditRole);
    else if (auto* factor = qobject_cast<QComboBox*>(editor))
        model->setData(index, factor->currentData(), Qt::EditRole);
}
