#pragma once

#include "planning/cookingjournal.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class CookingSession;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The end of cooking: what the journal says of the recipe so far, up to five
// stars, a note, and "Cooked it", which has the journal write today's entry
// for the session's recipe at its servings.
class CookedItPanel : public QWidget
{
    Q_OBJECT
public:
    explicit CookedItPanel(CookingSession* session, QWidget* parent = nullptr);

    void setJournal(CookingJournal* journal);
    CookingJournal* journal() const { return m_journal; }
    int stars() const { return m_stars; }
    // A tap on the stars shown clears them.
    void chooseStars(int stars);
    // Ready for another recipe's entry: no stars, no note, its summary.
    void reset();

private:
    void buildWidgets();
    void markCooked();
    void showStars();
    void showSummary();

    CookingSession* m_session;
    QPointer<CookingJournal> m_journal;
    int m_stars = 0;
    QString m_path; // the recipe the panel was last made ready for
    // Widgets, owned by the panel through its layout.
    QLabel* m_summary = nullptr;
    QList<QToolButton*> m_starButtons;
    QLineEdit* m_note = nullptr;
    QPushButton* m_cookedIt = nullptr;
    QLabel* m_done = nullptr;
};
