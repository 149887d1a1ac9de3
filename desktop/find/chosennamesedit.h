#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QCompleter;
class QGridLayout;
class QLineEdit;
class QStringListModel;

// A field for choosing names (ingredients, tags), offering names as one
// types, above the names chosen so far; each chosen name is a button that
// drops it. Enter asks for what was typed; an offered name is asked for only
// when it is clicked or picked with the arrow keys. What is chosen is kept
// elsewhere and shown here by setChosen().
class ChosenNamesEdit : public QWidget
{
    Q_OBJECT
public:
    // The names offered for what has been typed.
    using Offer = std::function<QStringList(const QString& typed)>;

    ChosenNamesEdit(const QString& placeholder, Offer offer, QWidget* parent = nullptr);
    ~ChosenNamesEdit() override;

    void setChosen(const QStringList& names);
    QStringList chosen() const { return m_chosen; }
    QLineEdit* lineEdit() const { return m_edit; }
    QCompleter* completer() const { return m_completer; }

signals:
    void chooseRequested(const QString& name);
    void dropRequested(const QString& name);

private:
    void offerNames(const QString& typed);
    void askTyped();
    void ask(const QString& name);
    void showChosen();

    Offer m_offer;
    QStringList m_chosen;
    QLineEdit* m_edit = nullptr;           // child widget
    QGridLayout* m_chosenLayout = nullptr; // child layout
    QStringListModel* m_names = nullptr;   // child object
    QCompleter* m_completer = nullptr;     // child object
};
