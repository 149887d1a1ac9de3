#pragma once

#include <QStringList>
#include <QWidget>

class QCompleter;
class QGridLayout;
class QLineEdit;
class QStringListModel;

// A field for choosing names from an index (ingredients, tags) with
// completion, above the names chosen so far; each chosen name is a button
// that removes it. Names that the index no longer holds stay chosen.
class ChosenNamesEdit : public QWidget
{
    Q_OBJECT
public:
    explicit ChosenNamesEdit(const QString& placeholder, QWidget* parent = nullptr);
    ~ChosenNamesEdit() override;

    // The names offered for completion.
    void setAvailableNames(const QStringList& names);
    QStringList chosen() const { return m_chosen; }
    QLineEdit* lineEdit() const { return m_edit; }

public slots:
    void addName(const QString& name);
    void removeName(const QString& name);

signals:
    void chosenChanged();

private:
    void addTypedName();
    void showChosen();

    QStringList m_chosen;
    QLineEdit* m_edit = nullptr;           // child widget
    QGridLayout* m_chosenLayout = nullptr; // child layout
    QStringListModel* m_names = nullptr;   // child object
};
