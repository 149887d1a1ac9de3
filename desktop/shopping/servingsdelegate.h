#pragma once

#include <QStyledItemDelegate>

// Edits the amount wanted of a recipe on the shopping list: a spin box of
// servings when the recipe names its servings, otherwise a choice of factors
// in steps of ½, both within the limits the model gives. Every change is
// committed at once.
class ServingsDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ServingsDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};
