#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class PantrySession;
class QCompleter;
class QLineEdit;
class QListView;
class QStringListModel;
class RecipeSearch;

// The pantry (PantrySession) laid out: its items with their amounts, a field
// to add one with the names the Find pane offers, a field to give the chosen
// item a new amount, and a button to remove it.
class PantryPane : public QWidget
{
    Q_OBJECT
public:
    // Asked before a cooked recipe's amounts are taken out; true for yes.
    using Question = std::function<bool(QWidget* parent, const QString& text)>;

    explicit PantryPane(QWidget* parent = nullptr);
    ~PantryPane() override;

    PantrySession* session() const { return m_session.get(); }
    // Where the names offered come from.
    void setSearch(RecipeSearch* search);
    // A message box unless set otherwise (tests answer themselves).
    void setTakeOutQuestion(Question question);

signals:
    void notifySimple(const QString& msg);

public slots:
    void setCollectionPath(const QString& path);
    void addItem();
    void removeCurrentItem();
    void changeCurrentAmount();
    // After cooking: asks, then takes the recipe's amounts at `servings` out
    // of the pantry. Nothing is asked where the pantry holds none of them.
    void offerTakeOut(const QString& recipePath, int servings);

private:
    void buildWidgets();
    void offerNames(const QString& typed);
    void showCurrentAmount();

    std::unique_ptr<PantrySession> m_session;
    Question m_ask;
    QListView* m_items = nullptr;    // child widget
    QLineEdit* m_addField = nullptr; // child widget
    QLineEdit* m_amount = nullptr;   // child widget
    QCompleter* m_completer = nullptr;
    QStringListModel* m_names = nullptr; // owned by this widget
};
