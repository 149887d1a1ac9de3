#include "cooking/cookeditpanel.h"

#include "cooking/cookingsession.h"
#include "planning/cookingjournal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int maxStars = 5;

QLabel* makeWrappingLabel(const char* objectName)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

CookedItPanel::CookedItPanel(CookingSession* session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("cookedItPanel"));
    buildWidgets();
    showStars();
}

void CookedItPanel::buildWidgets()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_summary = makeWrappingLabel("cookedItSummary");
    column->addWidget(m_summary);

    auto* starsRow = new QHBoxLayout;
    for (int star = 1; star <= maxStars; ++star) {
        auto* button = new QToolButton;
        button->setObjectName(QStringLiteral("cookedItStar%1").arg(star));
        button->setToolTip(tr("%n star(s)", nullptr, star));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, star] { chooseStars(star); });
        starsRow->addWidget(button);
        m_starButtons.append(button);
    }
    starsRow->addStretch(1);
    column->addLayout(starsRow);

    auto* noteRow = new QHBoxLayout;
    m_note = new QLineEdit;
    m_note->setObjectName(QStringLiteral("cookedItNote"));
    m_note->setPlaceholderText(tr("A note for next time (optional)"));
    m_note->setFocusPolicy(Qt::ClickFocus);
    m_cookedIt = new QPushButton(QIcon::fromTheme(QStringLiteral("checkmark")), tr("Cooked it"));
    m_cookedIt->setObjectName(QStringLiteral("cookedItButton"));
    m_cookedIt->setFocusPolicy(Qt::NoFocus);
    connect(m_cookedIt, &QPushButton::clicked, this, &CookedItPanel::markCooked);
    connect(m_note, &QLineEdit::returnPressed, this, &CookedItPanel::markCooked);
    noteRow->addWidget(m_note, 1);
    noteRow->addWidget(m_cookedIt);
    column->addLayout(noteRow);
    m_done = makeWrappingLabel("cookedItDone");
    m_done->hide();
    column->addWidget(m_done);
}

void CookedItPanel::setJournal(CookingJournal* journal)
{
    if (journal == m_journal)
        return;
    if (m_journal)
        disconnect(m_journal, nullptr, this, nullptr);
    m_journal = journal;
    if (m_journal)
        connect(m_journal, &CookingJournal::changed, this, &CookedItPanel::showSummary);
    showSummary();
}

void CookedItPanel::chooseStars(int stars)
{
    m_stars = stars == m_stars ? 0 : std::clamp(stars, 0, maxStars);
    showStars();
}

void CookedItPanel::reset()
{
    // The recipe read again after a save is the same cooking.
    if (m_session->path() == m_path) {
        showSummary();
        return;
    }
    m_path = m_session->path();
    m_stars = 0;
    m_note->clear();
    m_cookedIt->setEnabled(true);
    m_done->hide();
    showStars();
    showSummary();
}

void CookedItPanel::showStars()
{
    for (int star = 0; star < m_starButtons.size(); ++star)
        m_starButtons[star]->setText(star < m_stars ? QStringLiteral("★") : QStringLiteral("☆"));
}

void CookedItPanel::showSummary()
{
    const QString summary = m_journal ? m_journal->summary(m_session->path()) : QString();
    m_summary->setText(summary);
    m_summary->setVisible(!summary.isEmpty());
}

// Once for a cooking: the button rests until another recipe is cooked.
void CookedItPanel::markCooked()
{
    if (!m_journal || !m_cookedIt->isEnabled())
        return;
    if (!m_journal->markSessionCooked(m_session, m_stars, m_note->text()))
        return;
    m_cookedIt->setEnabled(false);
    m_done->setText(tr("Added to the cooking journal."));
    m_done->show();
}
